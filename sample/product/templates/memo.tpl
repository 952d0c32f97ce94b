[Template]
Name=Memo 3
Kind=Memo
Version=2.08

[Fields]
Field0=report,562,545
Field1=frame,234,173
Field2=style,361,777
Field3=colour,28,271
Field4=justify,129,222
Field5=template,456,640
Field6=report,122,70
Field7=centre,280,777
Field8=import,385,157
Field9=report,194,235
Field10=template,527,514
Field11=size,323,186
Field12=import,564,150

[Body]
Card header tab ruler indent column grid invoice column ruler footer size justify paragraph.
Colour memo header chapter style template document line guide.
Table ruler margin size card tab.
Border preview shade layout table line centre.
Tab chapter ruler invoice import justify group preview chapter guide envelope chapter.
Memo envelope order memo footer style template index paragraph page.
Size style justify label font invoice letter indent.
Layer shade shade order label section preview.
Ruler guide header column page memo letter indent indent guide import glossary template border.
Guide page font group preview margin export ruler.
Index letter shade picture snap object.
Letter glossary document template index colour section document size.
Group paragraph layer print grid style.
Heading template report size chapter label spacing heading layout page tab.
Header guide envelope section column chapter.
Picture column group print margin column preview report print layer.
Import heading template border tab letter margin invoice style shade invoice chapter print.
Header margin page memo grid index table section spacing order.
Indent template index style memo margin template letter.
Group ruler preview invoice snap frame column layout page.
Template size paragraph header picture picture.
Card index footer object print glossary indent indent paragraph label ruler.
Object page paragraph heading document size centre report layer guide colour colour table.
Section style indent table envelope document line guide colour.
Layout tab layout document grid preview grid justify layer paragraph index layer.
Index header order paragraph object column export indent picture.
Template header card margin template object guide letter group colour.
Snap preview label border label layer column glossary.
Grid memo frame line column header.
Group size report chapter guide index guide picture import report import indent shade.
