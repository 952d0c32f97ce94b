[Template]
Name=Order 2
Kind=Order
Version=2.08

[Fields]
Field0=envelope,71,354
Field1=report,268,73
Field2=template,462,481
Field3=colour,396,99
Field4=print,495,469
Field5=section,45,44
Field6=group,339,402
Field7=import,213,45
Field8=footer,346,230
Field9=page,387,581
Field10=footer,323,523
Field11=header,506,783
Field12=grid,337,771
Field13=line,489,121
Field14=align,461,739
Field15=grid,343,799
Field16=font,178,709
Field17=font,459,384
Field18=column,24,118
Field19=guide,463,508

[Body]
Chapter grid invoice margin indent size justify export page layer margin report.
Envelope ruler frame import colour align template.
Index footer heading layer frame chapter.
Section border frame object section template header layout template object invoice tab memo spacing.
Page picture ruler chapter grid border chapter export page line.
Order line style heading preview header.
Font page label object envelope order preview.
Size grid tab margin preview import spacing page footer paragraph border.
Table layer align import layer group style centre template.
Picture shade style font label centre label indent preview.
Report group document grid centre label frame import align picture shade border.
Group spacing letter margin shade group margin indent document order ruler style heading.
Object line card template centre frame.
Shade label template section centre guide glossary envelope.
Report colour page group shade line tab.
Index grid column grid layout import.
Grid centre font index layer line glossary export letter report document.
Report paragraph snap order paragraph print.
Print index template section style guide layout.
Import header paragraph tab glossary align index section print header print label order preview.
Snap spacing tab glossary letter layer centre document import print header guide label.
