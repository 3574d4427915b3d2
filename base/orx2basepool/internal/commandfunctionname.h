#pragma once
// The function names that command exceptions carry: the template spelt with its argument types.
#include "host/foundation/jbstringconversion.h"

#include <string>
#include <typeinfo>

namespace Base::Internal
{
/// Carries a type through typeid without losing its reference and const qualifiers.
template <class T> struct TTypeTag
{
};

/// The readable spelling of `T` including qualifiers ("bool", "CStringW const&"). Allocates.
template <class T> std::string GetQualifiedTypeName()
{
    std::string tagged = JbDemangle(typeid(TTypeTag<T>));
    std::string::size_type const open = tagged.find('<');
    std::string::size_type const close = tagged.rfind('>');
    if (open == std::string::npos || close == std::string::npos || close <= open)
        return tagged;
    std::string inner = tagged.substr(open + 1, close - open - 1);
    while (!inner.empty() && inner.back() == ' ') // "TTypeTag<std::vector<int> >"
        inner.pop_back();
    return inner;
}

/// "<templateName><void,A,B>::<member>", e.g. "Base::TCommand<void,bool>::Execute"; the arguments are
/// separated by a comma without a space. Only for error paths: allocates.
template <class... Args> std::string GetCommandFunctionName(char const* templateName, char const* member)
{
    std::string name = templateName;
    name += "<void";
    ((name += ',', name += GetQualifiedTypeName<Args>()), ...);
    name += ">::";
    name += member;
    return name;
}
} // namespace Base::Internal
