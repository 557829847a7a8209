#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace draw {

// Replaces the file at `target` with `bytes` so that readers see either the old
// contents or the new, never a half-written file: a temporary file in the same
// folder is written, flushed and renamed over the target. An existing file keeps
// its permission bits; a read-only one is not replaced. Throws DrawError "Cannot
// create file \"<target>\". <reason>" and then leaves the old file untouched and no
// temporary file behind. Where the folder allows no new file but the target is
// writable, the target is overwritten in place and flushed instead. After a save,
// temporaries of the same target left by a save that was killed before its rename
// (hidden ".<name>.XXXXXX.luckydraw-save" files no save holds) are removed.
void replaceFileAtomically(const std::filesystem::path &target, std::string_view bytes);

// Runs `hook` in every save between the creation of its temporary file and its
// lock: the moment another program's save may look at the folder. For tests.
void setTemporaryCreatedHook(std::function<void(const std::filesystem::path &)> hook);

} // namespace draw
