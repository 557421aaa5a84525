#pragma once

#include <string>
#include <vector>

// Lists the image files of a folder: for each extension of TargetExt in order, the regular,
// non-hidden files whose extension equals it without regard to case (an empty extension takes the
// names without a dot).
//
// A name that has no exact cp932 form cannot be shown, stored or renamed safely, and a name that
// equals an earlier one without regard to case cannot be told apart from it by the rest of the
// program (which finds files without regard to case): neither is listed, both are returned so
// that the operator is told. A symbolic link is never listed either: a run would move the link
// or write what it points at, which may lie outside the folder; links are returned for telling
// too. All names are cp932; unusable names are readable stand-ins.
class ImageFolderListing {
public:
    struct Result {
        std::vector<std::string> names;     // the image files, in listing order
        std::vector<std::string> unusable;  // names without a cp932 form
        std::vector<std::string> caseTwins; // names that equal a listed one but for letter case
        std::vector<std::string> links;     // symbolic links with an image file's extension
    };

    static Result list(const std::string& folder, const std::vector<std::string>& extensions);
};
