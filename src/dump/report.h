// What zmlfdump prints about a verified file: the report of its header,
// strings, sizes and checksums, and the listing of its entries.
#ifndef ZMLFC_DUMP_REPORT_H_
#define ZMLFC_DUMP_REPORT_H_

#include <string>

#include "dump/verify.h"

// The report of a readable file, ending with "Valid" or the first problem.
void PrintReport(const std::string& path, const VerifiedFile& file);

// Every entry as "ID = text", in index order, the ID without its padding
// and the text in the code page in force.
void PrintListing(const VerifiedFile& file);

#endif  // ZMLFC_DUMP_REPORT_H_
