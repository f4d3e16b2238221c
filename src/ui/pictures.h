#pragma once
// Makes the compiled-in pictures (":/icons/...", ":/pictures/...") available.
// A static library's resources are kept by the linker only when referred to,
// so every window that shows one calls this first.
namespace trivane {
void LoadPictures();
}
