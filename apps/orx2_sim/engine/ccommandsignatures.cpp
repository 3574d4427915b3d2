#include "ccommandsignatures.h"

namespace Orx2Sim
{
CCommandSignatures::CCommandSignatures()
{
    using Base::EAreaItems;
    using std::wstring;
    // The library's argument lists.
    Add<>();
    Add<bool>();
    Add<CStringW>();
    Add<CStringW const&>();
    Add<unsigned int, unsigned int>();
    Add<unsigned int, unsigned int, bool>();
    Add<EAreaItems>();
    Add<std::vector<Level>>();
    Add<wstring>();
    Add<wstring const&>();
    Add<wstring const&, wstring const&>();
    Add<int, wstring const&, wstring const&>();
    Add<wstring const&, wstring const&, wstring const&, wstring const&, wstring const&, wstring const&,
        float>();
    Add<int const&, wstring const&>();
    Add<int&>();
    Add<bool&>();
    // The simulator's own host commands.
    Add<EAreaItems, bool>();
    Add<EAreaItems, float>();
    Add<EAreaItems, unsigned int>();
    Add<EAreaItems, BusinessLayer::EImageProcessingProgress>();
    Add<BusinessLayer::ELiveViewStatus>();
    Add<EAreaItems, int, wstring>();
    Add<EAreaItems, wstring>();
    Add<int, int, int, unsigned int, CStringW, CStringW, float>(); // a calibration's wait request
    Add<int>();
}

CCommandSignatures::SSignature const* CCommandSignatures::Find(Base::ICommandBase& command) const
{
    for (SSignature const& signature : m_signatures)
        if (signature.matches(command))
            return &signature;
    return nullptr;
}

CCommandSignatures::SSignature const* CCommandSignatures::FindByText(std::string const& text) const
{
    for (SSignature const& signature : m_signatures)
        if (signature.text == text)
            return &signature;
    return nullptr;
}
} // namespace Orx2Sim
