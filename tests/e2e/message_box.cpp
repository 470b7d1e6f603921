// Shows one message box through the platform layer and prints what MessageBoxA returned.
#include <stdio.h>

#include "platform/system.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  int result = MessageBoxA(NULL, argv[2], argv[1], MB_OK | MB_ICONERROR);
  printf("%d\n", result);
  return 0;
}
