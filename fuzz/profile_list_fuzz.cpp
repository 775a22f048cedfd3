// "profiles.cfg": at most five names come back, every one of them (and the
// current name, when there is one) safe to use as a file name.
#include <cstdint>
#include <sstream>

#include "flow/profile_store.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(textOf(data, size));
  ProfileList list = readProfileList(in);
  require(list.names.size() <= static_cast<size_t>(kMaxProfiles), "at most five profiles");
  for (const std::string& name : list.names) require(isUsableProfileName(name), "usable name");
  require(list.current.empty() || isUsableProfileName(list.current), "usable current name");
  return 0;
}
