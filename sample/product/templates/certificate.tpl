[Template]
Name=Certificate 12
Kind=Certificate
Version=2.08

[Fields]
Field0=indent,322,491
Field1=report,457,183
Field2=align,406,600
Field3=letter,221,15
Field4=glossary,573,213
Field5=margin,573,721
Field6=size,414,241
Field7=indent,159,606
Field8=justify,364,261
Field9=picture,463,461
Field10=colour,493,33
Field11=paragraph,268,307
Field12=export,441,386
Field13=snap,320,740
Field14=indent,445,40
Field15=margin,181,751
Field16=document,494,299

[Body]
Section letter group print colour order template export import style guide column heading memo.
Card layout picture tab header paragraph shade group glossary.
Invoice layout picture font shade margin tab export layout chapter group guide.
Font report font indent indent heading object indent document section grid glossary.
Print border margin page print order template justify report line style glossary align picture.
Preview frame print font font heading.
Paragraph snap document print picture shade layout indent border letter indent grid paragraph margin.
Tab centre tab template snap report template.
Glossary memo paragraph glossary header template justify import section import justify page chapter glossary.
Snap shade guide index line object group centre centre colour align.
Tab heading shade picture tab preview shade export document layout card.
Shade indent print group report import margin snap.
Section column report spacing template guide footer invoice.
