[Template]
Name=Party 3
Kind=Party
Version=2.08

[Fields]
Field0=layer,99,649
Field1=spacing,166,307
Field2=guide,168,352
Field3=export,330,649
Field4=order,524,588
Field5=centre,227,437
Field6=header,550,118
Field7=index,278,568

[Body]
Border indent column index table column table import snap print preview.
Grid indent border order guide margin export document tab align document template heading document.
Index line snap spacing column card heading margin print.
Footer import picture export size invoice frame.
Layout spacing group group layout index frame.
Margin ruler indent tab picture layout glossary heading style chapter letter tab header.
Glossary colour preview picture tab document order.
Table paragraph grid paragraph centre line.
Snap spacing glossary ruler size glossary header envelope print layer report ruler layer snap.
Envelope section header section line ruler document guide import letter order layout heading.
Grid font grid centre paragraph grid print style spacing grid.
Order table import import tab envelope label.
Column section heading paragraph glossary report glossary.
Document ruler template header line paragraph layer.
Card margin invoice indent shade line line layout ruler.
Card section frame size footer justify.
Order picture size card spacing chapter layer.
Print colour frame export group line layer envelope ruler layout glossary layout.
Ruler ruler margin border indent table document style object.
Spacing memo section footer chapter import colour object group.
Paragraph snap guide document tab section colour spacing font object.
