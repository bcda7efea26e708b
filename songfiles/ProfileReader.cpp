// The active profile reader.
#include "songfiles/ProfileReader.h"

namespace {

ProfileReader* gActiveProfileReader = nullptr;

}  // namespace

ProfileReader& ActiveProfileReader() {
    return gActiveProfileReader != nullptr ? *gActiveProfileReader : SystemProfileReaderInstance();
}

ProfileReader* SetActiveProfileReader(ProfileReader* replacement) {
    ProfileReader* previous = gActiveProfileReader;
    gActiveProfileReader = replacement;
    return previous;
}
