[Template]
Name=Diary 5
Kind=Diary
Version=2.08

[Fields]
Field0=line,75,331
Field1=spacing,300,407
Field2=index,596,318
Field3=layer,444,543
Field4=tab,555,542
Field5=snap,291,85
Field6=page,116,765
Field7=print,499,536

[Body]
Colour indent template grid guide align chapter justify label.
Border page guide template label style object ruler align report.
Header invoice section margin memo snap memo size report paragraph document.
Index colour header order report border tab line snap.
Import glossary border report object shade colour report justify label envelope.
Import shade heading template glossary snap picture order letter line justify.
Footer line card spacing order ruler object column font style envelope.
Label template header heading layout preview template invoice guide template export border.
Order paragraph label chapter tab heading group print.
Template snap glossary order line frame object picture colour.
Style grid guide justify style footer object tab margin export table tab frame snap.
Layer section envelope memo paragraph page index heading template picture glossary guide indent document.
Letter export colour layer frame export section colour column footer document section preview index.
Margin indent order table line column section table margin paragraph letter memo group.
Section label print report chapter spacing chapter heading.
Letter glossary align paragraph heading glossary tab letter line.
Invoice card layout colour template line align layer header paragraph layer section.
Align frame preview print line guide footer header style export margin section envelope.
Style label glossary preview frame footer report shade layer template centre letter.
Centre page layout import letter margin document.
Envelope column order card object layout object footer align label order colour colour memo.
Picture guide print snap font layout.
Snap header card card justify size invoice picture glossary.
