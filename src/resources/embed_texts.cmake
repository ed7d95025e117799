file(READ ${IN} CONTENT)
file(WRITE ${OUT} "extern const char *const kTextTableSource;\nconst char *const kTextTableSource = R\"TXT(${CONTENT})TXT\";\n")
