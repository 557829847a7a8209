// The library's content is the compiled-in pictures and icon; this unit only
// gives the static library something of its own to archive.
namespace resources_detail {
int anchor = 0;
}
