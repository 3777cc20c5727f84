#include "platform/present.h"

#include <GL/glu.h>
#include <GL/glx.h>

namespace {

using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);

// Looked up once per context: the answer depends on the display's GLX.
struct Lookup {
    GLXContext context = nullptr;
    CopySubBuffer copy = nullptr;
};
Lookup lookup;

CopySubBuffer copyFunction() {
    GLXContext context = glXGetCurrentContext();
    if (!context) return nullptr;
    if (context != lookup.context) {
        lookup.context = context;
        lookup.copy = nullptr;
        Display* display = glXGetCurrentDisplay();
        const char* extensions = display ? glXQueryExtensionsString(display, DefaultScreen(display)) : nullptr;
        if (extensions && gluCheckExtension(reinterpret_cast<const GLubyte*>("GLX_MESA_copy_sub_buffer"),
                                            reinterpret_cast<const GLubyte*>(extensions)))
            lookup.copy = reinterpret_cast<CopySubBuffer>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
    }
    return lookup.copy;
}

}  // namespace

bool canShowByCopy() { return copyFunction() != nullptr; }

void showByCopy(int width, int height) {
    if (CopySubBuffer copy = copyFunction()) copy(glXGetCurrentDisplay(), glXGetCurrentDrawable(), 0, 0, width, height);
}
