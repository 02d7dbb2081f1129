#include "database/ProgramFolders.h"

namespace {
std::filesystem::path g_programFile;
std::string g_builtInStyleSheet = "qrc:/qor.css";
}  // namespace

void SetProgramFile(const std::filesystem::path& programFile) { g_programFile = programFile; }
const std::filesystem::path& ProgramFile() { return g_programFile; }
std::filesystem::path ProgramFolder() { return g_programFile.parent_path(); }

void SetBuiltInStyleSheetAddress(const std::string& address) { g_builtInStyleSheet = address; }
const std::string& BuiltInStyleSheetAddress() { return g_builtInStyleSheet; }
