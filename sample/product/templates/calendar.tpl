[Template]
Name=Calendar 10
Kind=Calendar
Version=2.08

[Fields]
Field0=page,297,7
Field1=frame,293,751
Field2=frame,380,733
Field3=chapter,7,21
Field4=footer,472,117
Field5=import,561,2
Field6=border,317,112
Field7=chapter,469,127
Field8=paragraph,575,770
Field9=justify,254,372
Field10=chapter,78,741
Field11=picture,537,590
Field12=import,30,607
Field13=label,281,238
Field14=memo,135,541
Field15=glossary,236,721
Field16=export,420,282
Field17=glossary,467,44
Field18=shade,9,302

[Body]
Tab ruler spacing document column invoice guide font grid.
Print invoice margin import layout border centre column footer.
Index object memo index margin heading index object page envelope layout indent shade.
Guide paragraph align border align group glossary.
Font object report guide column column indent memo group index indent line group page.
Column template layout label paragraph size colour.
Snap memo centre letter footer card layout preview.
Object picture export paragraph document preview invoice.
Import margin label shade indent ruler shade footer snap letter label.
Spacing label snap report order guide margin export.
Order paragraph layer template letter align.
Object centre style layer border paragraph size header envelope group font font column.
Letter size group frame border glossary footer document section group label table.
Page layout label object guide justify header template preview justify colour preview.
Layer guide font memo size label shade spacing.
Import guide order justify justify letter style tab chapter line preview preview indent.
Envelope shade export table order tab margin chapter colour heading grid preview.
Grid layout section layer order colour paragraph column section snap shade invoice.
Footer footer margin object group column grid print card object report spacing.
Line snap label layer memo centre shade indent snap paragraph footer.
Colour ruler page template report shade header.
Glossary ruler template order glossary border document indent tab style line frame template frame.
