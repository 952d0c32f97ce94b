[Template]
Name=Fax 5
Kind=Fax
Version=2.08

[Fields]
Field0=template,341,794
Field1=import,164,467
Field2=align,100,89
Field3=font,208,409
Field4=frame,431,133
Field5=document,274,224
Field6=guide,450,502
Field7=report,355,274
Field8=invoice,190,800
Field9=column,399,479
Field10=print,244,774
Field11=page,183,200
Field12=letter,29,474
Field13=indent,341,606
Field14=page,132,526
Field15=ruler,354,258
Field16=indent,469,125
Field17=group,26,759
Field18=report,326,520
Field19=picture,465,67

[Body]
Section line layout size frame colour template style snap.
Page spacing font export footer report page guide memo centre.
Size grid letter label border line letter object guide colour grid size colour align.
Footer tab margin invoice size heading report style export memo.
Guide centre footer footer label preview ruler spacing column card colour frame.
Document label line border label memo size font footer export indent ruler.
Footer template border colour table report layout guide ruler print border.
Template chapter group label paragraph paragraph print.
Document margin style letter header report indent report line size envelope section order import.
Frame index grid footer centre column glossary size group.
Envelope heading guide invoice layout export column.
Style letter heading glossary centre order snap frame page page layer.
Index header footer style colour preview style chapter template heading colour index.
Guide shade justify frame guide glossary layout print export export.
Guide border glossary template order envelope print frame frame shade.
Section group label margin paragraph layout object font ruler ruler grid.
Colour page align align glossary style column glossary section tab export.
Import column ruler guide preview ruler memo align.
Picture border chapter section object spacing label preview export line size.
Column justify picture section export border print frame report envelope.
Paragraph page preview font ruler preview memo margin border section heading.
Ruler font align tab layer chapter.
Memo column object report layer align glossary heading.
Heading font group border justify grid paragraph.
Line layer paragraph footer style guide template size print card template.
