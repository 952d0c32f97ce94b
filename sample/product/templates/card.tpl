[Template]
Name=Card 11
Kind=Card
Version=2.08

[Fields]
Field0=envelope,447,452
Field1=font,468,118
Field2=spacing,552,782
Field3=heading,96,729
Field4=justify,425,474
Field5=import,123,593
Field6=size,424,494
Field7=spacing,163,444
Field8=card,199,234
Field9=card,61,417
Field10=memo,108,589
Field11=footer,356,385
Field12=document,216,78
Field13=column,591,698
Field14=ruler,577,728
Field15=ruler,532,174
Field16=paragraph,588,364
Field17=snap,494,638
Field18=memo,524,699

[Body]
Envelope template envelope heading memo size chapter snap grid margin justify.
Style style frame tab justify ruler layout index layer.
Snap guide chapter border guide layout footer guide glossary object.
Snap frame frame indent layer section envelope object glossary spacing heading guide spacing size.
Centre centre paragraph margin index colour style ruler report order report layout invoice letter.
Glossary font justify tab envelope grid shade section frame page spacing tab.
Print glossary style print template line layout size index layer.
Heading centre layout size page page export document invoice.
Import guide indent glossary layout preview import group memo group letter.
Font chapter table grid document shade report frame.
Column report colour justify glossary import page colour.
Justify shade frame heading report table report.
Section group border print paragraph size snap line footer line chapter.
Margin tab frame line align card tab.
Centre style tab centre justify label index ruler label centre.
Object label spacing snap order template spacing font justify tab size object shade.
Snap invoice import order colour index memo order centre memo.
Envelope label grid heading indent chapter import page.
Border picture template line report document preview.
Ruler size snap layer invoice invoice style chapter card line.
Spacing section footer layer style chapter ruler import invoice order group spacing.
Ruler ruler justify style print template grid letter memo.
Group size template section group tab line preview shade guide margin.
Guide colour paragraph object header footer border card chapter colour card object.
Import font size tab grid align document footer order font export print snap shade.
Colour heading import document section invoice label style frame layer page.
Chapter header colour column shade layer centre layer picture column.
Border font align envelope indent index size print picture template letter justify envelope.
Export line footer guide glossary index.
Heading invoice indent page print index export border layout envelope glossary snap.
