[Template]
Name=Envelope 7
Kind=Envelope
Version=2.08

[Fields]
Field0=tab,243,292
Field1=object,476,429
Field2=snap,68,615
Field3=header,163,498
Field4=template,561,414
Field5=print,358,660
Field6=justify,277,526
Field7=document,203,608

[Body]
Centre group report letter preview export grid order section font size.
Glossary table envelope print picture export envelope preview print heading print.
Tab order ruler page shade justify header frame indent section preview size footer.
Preview section template indent footer align.
Memo guide heading template envelope shade document section font invoice.
Colour align card line align document border column envelope colour.
Style font layout centre card grid guide.
Frame object border memo border frame margin indent.
Shade label page footer chapter group picture letter footer glossary section object page font.
Export margin margin label import print snap export report justify grid.
Footer heading shade document card line print paragraph justify colour memo invoice table.
Import spacing print section tab document layout spacing document colour preview.
Memo line font object header header index header centre centre index export label frame.
Invoice footer grid tab index line chapter tab.
Layer letter shade grid object border header paragraph import colour tab ruler.
Chapter grid font tab tab letter justify envelope preview object.
Shade index table report picture tab tab export object page frame spacing snap template.
Grid object picture grid label page template.
Header object table frame justify print layout frame letter grid layer footer page.
Line export line font template spacing layout snap column.
Size export export border import margin chapter tab paragraph.
Memo layer guide order card snap chapter export shade glossary.
Layout spacing preview glossary table report object layout indent footer.
Group layout align size layer layout object table picture page size line.
Document picture memo indent object template import group template shade align card.
Tab guide font border label layer preview letter tab memo layer label heading index.
Style style table font guide chapter paragraph frame header guide footer section group.
