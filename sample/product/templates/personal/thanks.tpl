[Template]
Name=Thanks 6
Kind=Thanks
Version=2.08

[Fields]
Field0=footer,166,488
Field1=glossary,599,110
Field2=colour,61,267
Field3=layout,107,550
Field4=column,214,549
Field5=ruler,195,8
Field6=header,80,784
Field7=section,73,426
Field8=order,569,664
Field9=shade,372,784
Field10=colour,205,339
Field11=export,457,361
Field12=footer,526,431
Field13=snap,449,628
Field14=preview,586,769
Field15=card,132,690
Field16=heading,321,133
Field17=indent,379,121

[Body]
Indent shade line snap layout margin border colour justify print invoice frame.
Layer group layer line colour size group guide document indent.
Size chapter table page preview tab layout.
Justify envelope document label guide envelope card layout glossary memo margin print margin order.
Align label guide centre layer ruler glossary layer glossary group letter page.
Table chapter paragraph table indent heading heading export column.
Centre border footer style frame shade invoice margin line.
Document column margin size column indent size line.
Margin footer report indent header snap label page.
Paragraph colour glossary grid style export envelope guide size.
Memo document label chapter align justify print indent chapter glossary glossary.
Font preview object header index paragraph paragraph layer report.
Frame indent letter justify picture picture group justify.
Page frame heading margin order section indent invoice ruler.
Group section order shade ruler memo footer centre tab guide margin indent letter.
Margin paragraph column paragraph card section.
Header header object style centre justify object guide guide style chapter export.
Footer font font chapter index table report order object memo import envelope.
Colour preview grid object margin frame snap centre.
Align import tab ruler letter style tab document centre justify header centre size tab.
Template layer snap column template border memo spacing border.
Label centre align paragraph indent document group heading footer.
Footer border guide colour guide export spacing export card.
Size letter picture justify glossary ruler order section footer report label.
Header index spacing tab table group frame label shade invoice.
Layer paragraph footer layer label justify column object label envelope glossary guide table picture.
Border size layer object style order margin letter font column header picture section.
Label colour style ruler heading page.
