[Template]
Name=Recipe 4
Kind=Recipe
Version=2.08

[Fields]
Field0=shade,388,507
Field1=footer,578,408
Field2=object,335,311
Field3=memo,213,239
Field4=index,506,760
Field5=preview,261,347
Field6=snap,85,185
Field7=preview,384,751
Field8=card,599,675
Field9=picture,355,790
Field10=centre,458,391
Field11=line,478,465
Field12=centre,27,551
Field13=line,309,197
Field14=grid,86,25
Field15=memo,84,440
Field16=grid,265,423
Field17=indent,80,12
Field18=print,579,35

[Body]
Envelope section object template template table group page frame group border layout.
Letter footer indent shade footer object frame section.
Column align label layout font export grid envelope font memo index group memo snap.
Justify justify letter border letter import glossary guide group header frame justify indent.
Index picture table letter index justify frame line column ruler paragraph memo memo.
Font column template shade card page.
Spacing line object group card invoice card glossary line.
Letter label label glossary paragraph layout group export index style template layout.
Import justify object chapter chapter paragraph indent heading margin layout border paragraph.
Indent layout size page align margin shade.
Grid ruler border spacing picture margin picture grid style grid ruler.
Ruler border ruler border picture centre paragraph centre page preview import template glossary paragraph.
Grid centre colour card tab guide spacing.
Group font colour document column font justify section line size letter letter footer page.
Font indent layer invoice justify preview chapter preview.
Print group header margin heading heading report preview paragraph template colour card.
Import tab print glossary report column font margin memo preview layer paragraph print memo.
Align picture envelope size size font glossary.
Layer snap header template import column object chapter header print layout order.
Envelope table justify export line picture label shade guide.
Justify guide ruler shade export order order column print picture paragraph justify.
Preview layout paragraph label label preview snap indent index.
Shade preview report frame export card spacing.
Letter group shade report colour snap layout export label layout section.
Guide report layout glossary snap font font align font grid template.
Template footer glossary chapter spacing size invoice group print margin section index line centre.
