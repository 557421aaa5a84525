#pragma once

struct tiff;
struct TiffPageTags;

// Copying a 1-bit CCITT G4 page from one TIFF into another as its compressed strips: the tags
// that describe the page are copied, each strip is read raw and written raw, one strip in memory
// at a time. The page's pixels stay bit-identical and are never decoded.
namespace rawstrips {

bool isCopyable(const TiffPageTags& tags);
// Copies the current page of in as the next page of out. An image library result code.
int copyPage(tiff* in, tiff* out);

} // namespace rawstrips
