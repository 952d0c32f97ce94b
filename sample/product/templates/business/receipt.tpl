[Template]
Name=Receipt 3
Kind=Receipt
Version=2.08

[Fields]
Field0=document,259,109
Field1=report,567,648
Field2=tab,327,407
Field3=page,101,687
Field4=layout,156,144
Field5=margin,318,278
Field6=layout,324,110
Field7=grid,347,648
Field8=group,168,612
Field9=guide,519,587
Field10=heading,300,419
Field11=tab,368,470
Field12=paragraph,74,1
Field13=size,310,315
Field14=style,336,157
Field15=section,295,190

[Body]
Table frame picture card justify ruler chapter glossary heading report column.
Centre template grid snap grid layer export import.
Section object section heading shade footer.
Frame envelope envelope border snap layer object grid tab line group border.
Shade label report footer preview guide.
Order size chapter chapter glossary justify guide.
Picture page layer page import picture layer footer object.
Border object tab size template spacing heading picture paragraph heading layout footer indent letter.
Label heading shade border object table report centre centre grid template.
Heading chapter layer report snap picture.
Section size border header justify header ruler section tab page.
