#include "app/dialogs/AboutImages.h"

AboutImageBlob GetAboutImage(int index)
{
    // Unsigned, a negative index is out of range too.
    if (unsigned(index) >= unsigned(kAboutImageCount))
        return {nullptr, 0};
    return kAboutImages[index];
}
