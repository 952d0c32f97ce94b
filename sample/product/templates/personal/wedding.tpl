[Template]
Name=Wedding 2
Kind=Wedding
Version=2.08

[Fields]
Field0=template,90,310
Field1=table,252,109
Field2=chapter,294,517
Field3=layout,378,436
Field4=export,83,253
Field5=grid,583,317
Field6=colour,503,657
Field7=grid,530,202
Field8=memo,418,698
Field9=picture,313,112
Field10=section,64,48
Field11=group,141,710

[Body]
Index envelope glossary heading label document layout group import centre section grid envelope.
Indent line indent line invoice page glossary.
Layer letter column border layer style header.
Guide guide table frame border group style index.
Glossary shade ruler picture centre card print letter memo group shade object print.
Chapter envelope chapter object tab centre order letter column ruler tab.
Spacing snap order envelope align print.
Snap style ruler object font template glossary invoice envelope.
Margin paragraph ruler shade header spacing invoice.
Page colour style style font envelope line.
Layout header label grid guide index.
Shade align document line section shade card align.
Envelope frame paragraph export line centre import align centre letter order.
Heading tab centre column margin ruler snap align heading.
Table indent margin layer column page border report footer document group tab.
Header ruler picture header justify order template footer justify.
Label page document style justify style chapter table glossary.
