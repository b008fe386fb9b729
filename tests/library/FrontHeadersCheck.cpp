// Built, never run: what a user of the library includes must not pull in the
// C libraries behind it. This file is compiled without their include paths,
// and fails to build when one of their headers arrives all the same (those
// in the compiler's own search path would otherwise slip through).
#include "library/Library.h"
#include "library/TagWriter.h"
#include "library/Track.h"

#ifdef SQLITE3_H
#error "a front header of the library includes sqlite3.h"
#endif
#ifdef AVUTIL_ATTRIBUTES_H
#error "a front header of the library includes FFmpeg's headers"
#endif
#ifdef TAGLIB_EXPORT_H
#error "a front header of the library includes TagLib's headers"
#endif
#ifdef EBUR128_H_
#error "a front header of the library includes ebur128.h"
#endif
