[Template]
Name=Birthday 1
Kind=Birthday
Version=2.08

[Fields]
Field0=picture,183,67
Field1=heading,246,1
Field2=centre,543,120
Field3=shade,321,727
Field4=invoice,8,126
Field5=preview,327,663
Field6=index,354,325
Field7=size,350,782
Field8=guide,65,787
Field9=memo,36,762

[Body]
Document page picture justify ruler border.
Label line chapter preview column snap style tab.
Centre layout card tab footer layout memo.
Indent memo glossary table envelope table spacing page envelope group picture column column object.
Document justify index envelope colour align frame import export.
Letter centre layer chapter letter object.
Document document frame card order justify invoice order justify centre heading import shade ruler.
Justify footer header layout card guide order guide grid font shade font.
Guide paragraph justify align print paragraph index invoice card.
Import export margin letter align grid report guide header document preview print.
Align index export grid export margin page import align table.
Frame paragraph group font section layer style line.
Template object font section border ruler.
Glossary print preview heading layer colour font export.
Table header label align justify glossary style print guide.
Export frame report ruler object spacing.
Heading frame label layout align label.
Line shade layer header tab justify picture index shade export.
Border import table group document table.
Colour layer colour import justify envelope page grid colour envelope section guide heading layer.
Grid justify section paragraph page export table line template align header.
Letter shade paragraph guide memo preview template export margin.
Spacing footer paragraph object grid preview preview print justify shade object index print.
Invoice line picture ruler memo paragraph paragraph group header export snap object.
Guide column line align guide align.
Layout frame page guide style template indent page section chapter.
Export justify table label object shade.
Order letter chapter card tab spacing table picture print.
Layer invoice envelope font print align margin layer paragraph import memo.
Card print print section spacing document indent report.
