[Template]
Name=Brochure 9
Kind=Brochure
Version=2.08

[Fields]
Field0=letter,256,608
Field1=centre,367,638
Field2=document,179,66
Field3=order,377,546
Field4=section,302,631
Field5=picture,558,148
Field6=indent,197,258
Field7=frame,55,550
Field8=table,268,371

[Body]
Grid group header snap header layer document preview envelope template header.
Snap export indent label heading print.
Ruler letter memo layout grid export import group label letter guide spacing order.
Layout centre header document envelope preview heading template import label indent.
Report letter export memo page footer ruler paragraph index centre snap align grid font.
Report tab justify table export header shade layer.
Preview preview centre glossary font envelope document picture snap.
Border glossary spacing preview margin line align invoice.
Invoice tab print line order preview column preview export.
Font shade shade spacing grid grid align label shade group.
Guide column chapter font table layer ruler frame table.
Print paragraph size label layer line.
Import footer indent card object margin style export colour align card column colour template.
Index guide heading colour style grid shade shade snap paragraph shade object picture.
Shade footer layer justify align index paragraph page export snap.
Page layer template snap report footer.
Snap font spacing import order page align heading.
Letter centre preview colour document order document.
Guide report grid shade letter chapter memo column order guide border group document order.
Card centre envelope group layout section line print.
Heading invoice paragraph page memo column align heading chapter letter.
Column justify index header snap group group grid.
