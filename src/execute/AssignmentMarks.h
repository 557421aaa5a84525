#pragma once

// The pictures of the assignment marks in the rename list's column 1 and the image list's
// column 0. A row without a mark has no picture.
namespace assignmark {
constexpr int None = 0;
constexpr int Single = 162; // a row with one image, and that image
constexpr int Multi = 161;  // a row with two or more listed images, and each of them
} // namespace assignmark
