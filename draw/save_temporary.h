#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// What the POSIX and the Windows replaceFileAtomically share: how a save names
// its hidden temporary beside the target, ".<name>.XXXXXX.luckydraw-save" with
// six random letters or digits, and the test hook. Names are UTF-8 text, so
// both systems check them with the same code.
namespace draw::save_temporary {

constexpr std::size_t kRandomLength = 6; // the XXXXXX that mkstemps fills in
// Ends every temporary name, so that no other tool's file (".获奖记录.txt.backup")
// can look like one of ours.
constexpr std::string_view kSuffix = ".luckydraw-save";

// ".<target's file name>.", the temporary's name up to its random characters.
std::string prefixFor(const std::filesystem::path &target);

// Whether `name` is one this code gives a temporary whose name begins with `prefix`.
bool isTemporaryName(std::string_view name, std::string_view prefix);

// Runs the hook setTemporaryCreatedHook set, if any.
void runCreatedHook(const std::filesystem::path &temporary);

} // namespace draw::save_temporary
