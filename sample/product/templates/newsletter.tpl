[Template]
Name=Newsletter 8
Kind=Newsletter
Version=2.08

[Fields]
Field0=frame,52,174
Field1=section,513,341
Field2=header,38,32
Field3=envelope,437,614
Field4=object,128,236
Field5=table,372,616
Field6=justify,50,116
Field7=ruler,402,203
Field8=margin,449,286
Field9=card,300,664
Field10=spacing,245,510
Field11=justify,373,421
Field12=preview,20,731
Field13=invoice,106,66
Field14=align,385,259
Field15=footer,514,336
Field16=document,280,565
Field17=invoice,34,625
Field18=shade,286,344
Field19=grid,457,725

[Body]
Spacing preview glossary import tab indent export.
Frame colour grid column invoice glossary style.
Object invoice report letter document memo spacing order export index centre picture.
Style envelope template colour justify header chapter layer document ruler chapter colour.
Heading report report shade ruler glossary tab style group envelope.
Object size tab footer memo frame margin memo size preview line page.
Document ruler tab print table invoice.
Guide letter export shade glossary column font size snap centre.
Border layout paragraph card table envelope envelope ruler import margin justify invoice.
Column centre order size snap column size letter order heading.
Envelope size order invoice layout letter spacing layout heading picture.
Margin border invoice label table font colour tab ruler guide centre shade heading.
Border justify column glossary border footer justify report column preview layout.
Layer page glossary shade report print align.
Shade chapter indent export label centre line group font object header export section group.
Group tab report centre layout template.
Envelope align margin header import preview chapter preview picture justify tab shade.
Order centre border memo template header object style border size header shade centre.
Colour letter paragraph frame document style page card document justify paragraph shade.
Layer chapter border page memo frame frame chapter picture group layout line group.
