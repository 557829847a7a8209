#pragma once

#include <filesystem>
#include <string_view>

namespace draw {

// Replaces the file at `target` with `bytes` so that readers see either the old
// contents or the new, never a half-written file: a temporary file in the same
// folder is written, flushed and renamed over the target. An existing file keeps
// its permission bits. Throws DrawError "Cannot create file \"<target>\". <reason>"
// and then leaves the old file untouched and no temporary file behind. After a
// save, temporaries of the same target left by an earlier save that was killed
// before its rename (hidden ".<name>.XXXXXX" files) are removed.
void replaceFileAtomically(const std::filesystem::path &target, std::string_view bytes);

} // namespace draw
