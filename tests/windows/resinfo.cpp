// Reads Dravik.scr as Windows does, as a data file, and prints what it shows of it: on one line
// the name (string 1), the version and product name, and the sizes the icon (100) has an image
// of; then the manifest.
#include <stdio.h>
#include <windows.h>

#include <initializer_list>

int main(int, char** argv) {
  HMODULE m = LoadLibraryExA(argv[1], NULL, LOAD_LIBRARY_AS_DATAFILE);
  char name[64] = "", info[4096] = "", *product;
  VS_FIXEDFILEINFO* v;
  UINT n;
  BYTE* icons = (BYTE*)LoadResource(m, FindResourceA(m, MAKEINTRESOURCEA(100), RT_GROUP_ICON));
  if (!m || !icons || !LoadStringA(m, 1, name, sizeof name) ||
      !GetFileVersionInfoA(argv[1], 0, sizeof info, info) ||
      !VerQueryValueA(info, "\\", (void**)&v, &n) ||
      !VerQueryValueA(info, "\\StringFileInfo\\040904B0\\ProductName", (void**)&product, &n))
    return 1;
  printf("%s, version %lu.%lu.%lu.%lu, product %s, icon", name, v->dwFileVersionMS >> 16,
         v->dwFileVersionMS & 0xffff, v->dwFileVersionLS >> 16, v->dwFileVersionLS & 0xffff,
         product);
  // A size counts when the image Windows picks for it is of that size and LoadImage loads it.
  for (int size : {16, 32, 48, 256}) {
    int id = LookupIconIdFromDirectoryEx(icons, TRUE, size, size, 0);
    auto* image =
        (BITMAPINFOHEADER*)LoadResource(m, FindResourceA(m, MAKEINTRESOURCEA(id), RT_ICON));
    if (image && image->biWidth == size &&
        LoadImageA(m, MAKEINTRESOURCEA(100), IMAGE_ICON, size, size, 0))
      printf(" %d", size);
  }
  HRSRC manifest = FindResourceA(m, MAKEINTRESOURCEA(1), RT_MANIFEST);
  printf("\n%.*s", (int)SizeofResource(m, manifest), (char*)LoadResource(m, manifest));
  return 0;
}
