[Template]
Name=Minutes 5
Kind=Minutes
Version=2.08

[Fields]
Field0=size,489,76
Field1=margin,497,305
Field2=object,439,738
Field3=template,330,755
Field4=margin,186,768
Field5=shade,215,443
Field6=frame,259,152
Field7=tab,128,540
Field8=ruler,585,269
Field9=justify,359,272

[Body]
Letter memo card card envelope import colour template template size indent.
Invoice header group index column glossary font invoice.
Report label heading card footer column table tab spacing justify order paragraph.
Guide print style tab ruler style guide label section picture.
Invoice ruler paragraph preview document order print line shade.
Indent template tab centre ruler letter print indent indent align.
Memo colour font colour import frame font.
Margin colour report grid report order.
Snap size table order glossary font card table layer card card document template.
Glossary index index font document footer report.
Report snap template memo report snap.
Memo glossary paragraph order letter letter align table border ruler snap.
Layer indent size picture layout glossary layer preview export.
Heading group footer heading order section line import header style import glossary.
Section indent shade frame export paragraph guide justify.
Object column style chapter spacing section export.
Footer envelope snap group grid export style header tab ruler envelope.
Centre order label colour colour export.
Group order heading memo invoice memo font line ruler preview tab shade guide.
Group snap chapter card document header group header.
Align paragraph margin memo border chapter colour font.
Chapter ruler border indent template style order print card colour layer memo shade layout.
Letter index object memo group envelope.
Align glossary invoice indent frame margin grid shade size report invoice.
Preview memo frame chapter snap snap layout index colour.
Preview heading preview footer group ruler export preview.
