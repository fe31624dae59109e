#include "ux/core/UxAudio.h"

#include "platform/system/Sound.h"
#include "ux/core/UxPathResolver.h"

bool UxAudio::Play(const std::wstring& fileName)
{
    std::wstring path = fileName;
    if (UxPathResolver* resolver = UxPathResolver::GetInstance())
        path = resolver->Resolve(1, fileName);
    return plat::sndPlaySoundW(path.c_str(), plat::SND_ASYNC | plat::SND_FILENAME);
}
