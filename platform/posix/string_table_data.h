// The Linux executable's string table: generated data kept in a section of its own so that the
// packager can find and rewrite the service texts in the file.
#pragma once

#define WYR_STRING_TABLE_SECTION __attribute__((section("wyr_strings"), used, aligned(4)))

extern const unsigned char theStringTableData[];

int userLanguageIsChinese();
