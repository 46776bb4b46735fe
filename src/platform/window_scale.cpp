// The page's scale rules; the choices themselves need no SDL, so they can be checked alone.
#include "platform/window_scale.h"

#include <SDL.h>

int chooseWindowScale(int usableWidth, int usableHeight, int pageWidth, int pageHeight) {
    if (pageWidth <= 0 || pageHeight <= 0) return 1;
    const int byWidth = (usableWidth - FrameAllowanceWidth) / pageWidth;
    const int byHeight = (usableHeight - FrameAllowanceHeight) / pageHeight;
    const int scale = byWidth < byHeight ? byWidth : byHeight;
    return scale < 1 ? 1 : scale;
}

int wholeMultipleFits(int outputWidth, int outputHeight, int pageWidth, int pageHeight) {
    return outputWidth >= pageWidth && outputHeight >= pageHeight ? 1 : 0;
}

void scalePageToOutput(SDL_Renderer* renderer, int pageWidth, int pageHeight, int wholeMultiples) {
    int width = 0, height = 0;
    if (!renderer || SDL_GetRendererOutputSize(renderer, &width, &height) != 0) return;
    const SDL_bool whole =
        wholeMultiples && wholeMultipleFits(width, height, pageWidth, pageHeight) ? SDL_TRUE : SDL_FALSE;
    if (SDL_RenderGetIntegerScale(renderer) != whole) SDL_RenderSetIntegerScale(renderer, whole);
}
