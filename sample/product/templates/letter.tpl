[Template]
Name=Letter 1
Kind=Letter
Version=2.08

[Fields]
Field0=tab,155,1
Field1=centre,178,755
Field2=tab,71,261
Field3=layout,469,93
Field4=align,49,191
Field5=centre,588,725
Field6=section,336,197
Field7=colour,140,777
Field8=header,222,502
Field9=glossary,108,324
Field10=chapter,117,711
Field11=memo,543,751
Field12=memo,455,185
Field13=memo,375,740
Field14=line,367,57
Field15=border,59,317
Field16=align,312,175

[Body]
Invoice font layout template report paragraph.
Shade heading template colour import layout colour letter document frame report.
Document invoice header grid justify ruler frame document tab line indent frame guide.
Heading size column line object export guide group.
Page glossary indent table report print page layout colour index spacing report margin.
Object letter border ruler shade glossary.
Style justify document section page picture envelope template ruler line table report.
Tab object ruler font label guide.
Centre layout heading size justify layer template chapter ruler.
Header order page object group export guide report.
Heading preview table justify card column tab export line letter document margin shade.
Paragraph ruler paragraph margin envelope invoice.
Export label font guide report import print group size group letter layout glossary picture.
