[Template]
Name=Agenda 4
Kind=Agenda
Version=2.08

[Fields]
Field0=document,406,590
Field1=style,122,249
Field2=group,0,486
Field3=page,13,512
Field4=card,56,456
Field5=footer,0,201
Field6=header,328,142
Field7=card,446,612
Field8=order,337,11
Field9=snap,459,40
Field10=size,21,569

[Body]
Print page centre document size invoice font import card border grid.
Card column report group centre colour.
Snap indent page picture chapter heading ruler paragraph invoice shade label.
Invoice layer spacing footer shade section line border page paragraph letter size.
Memo guide layer grid section frame colour margin report import invoice.
Header border margin print centre label.
Snap card chapter font font centre order size.
Group ruler invoice envelope document snap memo envelope column shade.
Label glossary snap line import label page margin card.
Import align line font footer invoice preview frame indent.
Border layer ruler align style heading order heading glossary frame envelope.
Ruler group heading picture label shade section group column line line header header label.
Invoice heading picture order group frame.
Font indent preview table envelope font column border document label.
Snap chapter header margin font column memo.
Justify indent chapter group paragraph border page memo group letter order chapter.
Tab spacing margin line index section import object footer frame font centre size letter.
