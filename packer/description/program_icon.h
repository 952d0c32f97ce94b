// The program's icon from a package description's `icon` key. setup.exe shows it as icon group
// 108, which holds exactly a 32 x 32 and a 16 x 16 image of 16 colours (uncompressed bitmaps, as
// the target systems draw them); a file that holds anything else is refused. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What is wrong with an .ico file's bytes as the program's icon, or "" when nothing is.
std::string ProgramIconProblem(const std::vector<uint8_t>& ico);

// Reads and checks the icon file. Throws KpxError naming the file and what is wrong.
std::vector<uint8_t> ReadProgramIcon(const std::string& path);
