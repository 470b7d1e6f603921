// libFuzzer target over the registry file's reader: the input as the file's bytes.
#include "platform/linux/layer.h"

namespace layer {
std::map<std::string, std::map<std::string, std::string, NoCaseLess>, NoCaseLess> parseRegistry(
    const std::string& bytes);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  layer::parseRegistry(std::string((const char*)data, size));
  return 0;
}
