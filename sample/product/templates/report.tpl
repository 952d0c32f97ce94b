[Template]
Name=Report 4
Kind=Report
Version=2.08

[Fields]
Field0=print,337,444
Field1=card,79,123
Field2=memo,485,756
Field3=print,414,482
Field4=snap,390,254
Field5=guide,518,654
Field6=font,98,265
Field7=order,297,128
Field8=picture,121,628
Field9=card,46,762
Field10=paragraph,352,450
Field11=page,15,634
Field12=column,560,134
Field13=layer,378,771
Field14=header,79,132
Field15=align,480,600
Field16=card,110,380
Field17=chapter,446,626

[Body]
Style centre label document document preview line chapter indent border print snap letter.
Print table ruler snap footer snap.
Layer guide paragraph picture card column card line justify section shade snap.
Order import chapter centre border index.
Colour header line heading footer heading import letter margin order.
Order font align document paragraph glossary line preview header.
Letter guide margin table report letter.
Header report object spacing import template indent object align group spacing group print.
Card colour import border heading guide shade index heading memo table glossary envelope.
Ruler heading paragraph group picture report.
Layer document invoice style margin import letter margin snap justify layer heading.
Guide footer envelope grid group font header invoice.
Layout line border template guide envelope glossary print shade preview paragraph.
Line column table align footer justify font card font heading tab card shade card.
Export column heading print chapter margin export invoice order snap header ruler memo.
Ruler align line shade preview layer spacing size template.
Export line invoice align font column column envelope.
