[Template]
Name=Quote 1
Kind=Quote
Version=2.08

[Fields]
Field0=report,494,336
Field1=paragraph,433,749
Field2=report,105,246
Field3=column,417,700
Field4=report,492,433
Field5=shade,15,360
Field6=margin,221,515
Field7=layout,230,716
Field8=justify,162,641
Field9=spacing,93,344
Field10=glossary,460,26
Field11=layer,581,657
Field12=colour,207,418
Field13=snap,283,651
Field14=layout,488,249

[Body]
Print header preview template glossary paragraph frame document page font order layer header.
Glossary table border invoice footer frame picture tab column line align heading object centre.
Page import object order card card memo frame ruler label header label print table.
Card card index border order colour import.
Border header page guide line margin group.
Font table centre guide group indent style chapter envelope object margin.
Paragraph margin envelope memo frame indent card spacing index paragraph index object.
Heading index index heading heading document card footer size order spacing grid table import.
Margin order table page document ruler page.
Snap page envelope report picture style colour ruler preview centre size invoice.
Export letter layer column page column table tab print guide.
Indent index spacing tab page snap heading layout header border import group style size.
Grid order guide border header report.
Memo spacing size border indent order header page index invoice column section.
Import memo snap size grid paragraph shade border memo.
Style border picture template page report report.
Centre memo memo frame picture justify layout.
Tab label size label column page snap index size picture index style header border.
Letter section footer font card font memo header paragraph align heading ruler layout.
Chapter label heading envelope group layout size font frame.
Layer glossary document invoice shade colour label.
Document column group export paragraph colour group order.
Layout ruler column ruler glossary font index layer margin.
Object label align chapter page table table memo justify justify template colour object.
Align document report margin page margin layout snap group object table size picture.
Index page card grid section import print import chapter memo centre layer.
Header margin margin invoice font justify.
Card layout size card border document.
Footer frame template table font align chapter label paragraph template report chapter card heading.
Preview justify picture column column indent table heading centre.
