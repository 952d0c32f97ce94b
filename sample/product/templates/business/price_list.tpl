[Template]
Name=Price list 6
Kind=Price list
Version=2.08

[Fields]
Field0=centre,547,8
Field1=import,127,673
Field2=card,242,227
Field3=chapter,197,583
Field4=column,233,171
Field5=index,525,465
Field6=heading,368,123
Field7=index,289,208
Field8=group,447,692
Field9=centre,519,548
Field10=section,168,55
Field11=layout,554,303
Field12=ruler,17,29

[Body]
Footer footer memo object line import frame template border border justify template grid page.
Line grid justify glossary centre card layout.
Grid export object chapter snap paragraph font object line table snap colour.
Picture justify header guide justify glossary ruler align export ruler spacing size.
Envelope template report preview group centre envelope section.
Print footer section preview border tab chapter grid picture picture.
Invoice frame grid chapter tab order shade guide glossary shade tab document.
Document document align import justify print chapter.
Import chapter object header ruler template table size.
Chapter snap label document grid picture index layer.
Centre footer header document document paragraph chapter size line print order snap.
Report index spacing layout indent align.
Snap group snap print paragraph document template print picture.
Margin memo heading object index memo indent footer envelope.
Export export label card line ruler.
Snap document table document indent layer object export margin section align.
Export header header layer print picture picture.
Style template chapter margin document spacing grid grid card margin group spacing style.
Layer export footer card colour spacing layout memo indent preview.
Export index page margin layout frame invoice guide justify index border.
Layer import layout snap report size.
Colour column spacing footer style ruler.
Layout colour order group index size memo glossary index page label export.
Tab template frame envelope object table font column chapter picture import glossary.
Order tab card template label ruler tab footer.
Header margin envelope table document align.
Size column report print header report section object header.
Invoice size glossary grid style memo ruler template layout layout border letter.
