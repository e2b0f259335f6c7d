// The runtime's text files: numbered files opened for input and read line by line.
// Lines end at CR or CR LF (a lone LF ends one too); bytes are read in the locale's
// character set and handed out as UTF-8.
#pragma once

#include <string>

namespace tk {

int FreeFile();                                               // the lowest unused file number
void OpenForInput(int file_number, const std::string& path);  // error 53 when missing
std::string LineInput(int file_number);                       // error 62 past the end
bool Eof(int file_number);
void Close(int file_number);  // closing a closed number does nothing
void CloseAll();

// Dir(path) with normal attributes: the file's name when `path` names an existing
// regular, non-hidden file, else the empty text. Folders never match. A name that no
// file can have raises error 52.
std::string DirNormal(const std::string& path);

}  // namespace tk
