[Template]
Name=Invoice 2
Kind=Invoice
Version=2.08

[Fields]
Field0=heading,592,430
Field1=chapter,1,318
Field2=group,597,4
Field3=line,540,556
Field4=size,591,69
Field5=size,229,501
Field6=label,590,490
Field7=order,283,84
Field8=margin,214,766
Field9=shade,180,566
Field10=invoice,359,117
Field11=spacing,435,324
Field12=layout,116,79
Field13=snap,466,715

[Body]
Object snap colour invoice group glossary import indent align layer.
Column glossary export style header chapter card style footer style.
Header print justify template import tab size report memo letter table size group column.
Column guide tab justify shade import group table margin print index document.
Margin font label size indent paragraph heading memo.
Object guide margin colour ruler table justify index centre.
Size grid column object section envelope.
Export guide size shade glossary import.
Heading spacing table snap spacing margin.
Export picture glossary spacing import spacing.
Picture footer heading tab indent guide ruler.
Layer template layout table object border card line.
Card index report guide centre import layout footer.
