// Where the compile run writes its output, derived from the OUTFILE setting.
#ifndef ZMLFC_FRONT_OUTPUT_NAME_H_
#define ZMLFC_FRONT_OUTPUT_NAME_H_

#include <array>
#include <string>

// The internal unit: the directory part of `outfile` (up to its last "\",
// "/" or ":") followed by "lib_language_internal.pas".
std::string InternalUnitPath(const std::string& outfile, int codepage);

// The include file: `outfile` with its extension replaced by "." and the two
// ProgramID characters and ".inc", or by ".inc" when there is no ProgramID.
std::string IncludeFilePath(const std::string& outfile,
                            const std::array<char, 2>& program_id,
                            int codepage);

#endif  // ZMLFC_FRONT_OUTPUT_NAME_H_
