#include "ux/core/UxTransitionRequest.h"

UxTransitionRequest UxTransitionRequest::Reverse() const
{
    UxTransitionRequest back = *this;
    back.Source = Target;
    back.Target = Source;
    switch (Kind) {
    case Cover:
        back.Kind = Uncover;
        break;
    case Uncover:
        back.Kind = Cover;
        break;
    case ZoomOut:
        back.Kind = ZoomIn;
        break;
    case ZoomIn:
        back.Kind = ZoomOut;
        break;
    default:
        break;
    }
    switch (Parameter) {
    case Right:
        back.Parameter = Left;
        break;
    case Left:
        back.Parameter = Right;
        break;
    case Down:
        back.Parameter = Up;
        break;
    case Up:
        back.Parameter = Down;
        break;
    default:
        break;
    }
    return back;
}
