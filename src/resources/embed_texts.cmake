file(READ ${IN} CONTENT)
file(READ ${IN_EN} CONTENT_EN)
file(WRITE ${OUT} "extern const char *const kTextTableSource;\nconst char *const kTextTableSource = R\"TXT(${CONTENT})TXT\";\n"
                  "extern const char *const kTextTableSourceEn;\nconst char *const kTextTableSourceEn = R\"TXT(${CONTENT_EN})TXT\";\n")
