// Proof at compile time that the xerv3 table's types are those of the library's header (the two
// headers declare some names differently, so each is checked in a file of its own).
#include <type_traits>

#include "exports.h"
#include "xerv/xerv3com.h"

#define XTOOL_CHECK(name, signature)                                                \
  static_assert(std::is_same_v<decltype(&::name), std::add_pointer_t<signature>>, \
                #name " differs from the library header");
XTOOL_SHARED_EXPORTS(XTOOL_CHECK)
XTOOL_XERV3_OWN_EXPORTS(XTOOL_CHECK)
