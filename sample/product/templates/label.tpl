[Template]
Name=Label 6
Kind=Label
Version=2.08

[Fields]
Field0=chapter,278,108
Field1=indent,325,555
Field2=object,63,60
Field3=line,12,104
Field4=indent,54,402
Field5=group,314,513
Field6=colour,384,381
Field7=report,542,97
Field8=column,353,710
Field9=export,461,598
Field10=layer,256,697
Field11=memo,53,58
Field12=document,90,229

[Body]
Ruler snap preview font guide spacing.
Label import tab section paragraph index.
Header template size layer memo chapter glossary object letter report export align object invoice.
Margin tab margin centre envelope chapter object frame header colour centre size tab.
Export margin import group spacing align heading layout indent.
Export line frame font style column.
Object print letter font guide snap label centre preview size.
Shade border print template header footer document column report guide border.
Border document letter spacing object envelope spacing centre preview footer order border export.
Ruler chapter section invoice template order line picture page letter header.
Column grid import tab footer object column.
Ruler column grid memo justify style card justify export.
Glossary object export document print document.
Group template shade paragraph border footer grid.
Frame indent template justify invoice picture document centre size.
Tab paragraph indent order margin ruler.
Page print section shade shade spacing border preview spacing margin style.
Border spacing ruler grid letter footer spacing.
Grid font frame header export index print layout spacing frame invoice centre column.
Chapter grid object print footer footer header guide print footer indent ruler table.
Paragraph memo document column order margin guide.
Style column document report document report ruler frame report tab guide.
Template memo indent grid document footer export index guide letter.
Card indent table order tab spacing table.
Grid justify column invoice frame header colour.
Table snap snap group glossary group header letter card frame size border.
Shade style size header invoice import picture letter export import template align export.
Layer tab layout font indent justify column layout picture page.
