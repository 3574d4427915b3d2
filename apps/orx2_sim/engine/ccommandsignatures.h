#pragma once
#include "tcommandargument.h"

#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/icommandbase.h"
#include "host/acquisitionbase/corxstreambinarylegacy.h"
#include "host/foundation/jbarray.h"
#include "host/foundation/jbstreamreadbinarybuffer.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace Orx2Sim
{
/// The argument lists the simulator can execute a registered command with, found by asking the command
/// itself (a command registered under a name is only an ICommandBase; each list is tried as
/// ICommand<Args...>). Arguments come as a JSON array, one element per argument; out-parameters
/// (`int&`, `bool&`) start from the given value and are shown after the execution.
///
/// A new argument list (a view-model issue's command) is one `Add<Args...>()` line in the constructor,
/// plus a TCommandArgument specialisation for a new argument type. Not thread-safe to change; lookups
/// are const and may run on any thread.
class CCommandSignatures
{
public:
    struct SSignature
    {
        /// "(EAreaItems, bool)" and the like, for messages.
        std::string text;
        /// True when the command is an ICommand of this list.
        std::function<bool(Base::ICommandBase&)> matches;
        /// Empty when `arguments` (a JSON array) fit the list, else why not.
        std::function<std::string(Json const& arguments)> check;
        /// Executes the command (which `matches`) with checked `arguments` and waits for its result;
        /// returns the arguments after the execution when the list has out-parameters, else null. Throws
        /// what the command throws.
        std::function<Json(Base::ICommandBase&, Json const& arguments)> execute;
        /// The arguments in serialized `bytes` as a JSON array; throws std::exception (OrxException,
        /// std::invalid_argument) when they do not decode or a decoded value is out of range. Empty for
        /// lists that cannot be serialized.
        std::function<Json(std::vector<unsigned char> const& bytes)> decode;
    };

    /// Knows every argument list that the library's and the simulator's commands use.
    CCommandSignatures();

    /// Adds the list `Args...` (as the commands declare it: `int const&`, `std::wstring`, ...).
    template <class... Args> void Add();

    /// The first list `command` implements, or null.
    SSignature const* Find(Base::ICommandBase& command) const;
    /// The list written as `text` (TextOf), or null.
    SSignature const* FindByText(std::string const& text) const;
    /// How the list `Args...` is written in signatures and messages: "(EAreaItems, bool)".
    template <class... Args> static std::string TextOf();

private:
    std::vector<SSignature> m_signatures;
};

namespace Internal
{
template <class T> using Decayed = std::remove_cv_t<std::remove_reference_t<T>>;

template <class T>
constexpr bool kIsOutParameter =
    std::is_lvalue_reference_v<T> && !std::is_const_v<std::remove_reference_t<T>>;

template <class T> std::string ArgumentText()
{
    std::string text = TCommandArgument<Decayed<T>>::kType;
    if constexpr (std::is_lvalue_reference_v<T>)
        text += std::is_const_v<std::remove_reference_t<T>> ? " const&" : "&";
    return text;
}

template <class... Args> std::string SignatureText()
{
    return "(" + Join(std::vector<std::string>{ArgumentText<Args>()...}) + ")";
}
} // namespace Internal

template <class... Args> std::string CCommandSignatures::TextOf()
{
    return Internal::SignatureText<Args...>();
}

template <class... Args> void CCommandSignatures::Add()
{
    using Command = Base::ICommand<Args...>;
    using Values = std::tuple<Internal::Decayed<Args>...>;
    constexpr std::size_t kCount = sizeof...(Args);
    constexpr bool kHasOut = (Internal::kIsOutParameter<Args> || ...);

    SSignature signature;
    signature.text = Internal::SignatureText<Args...>();
    signature.matches = [](Base::ICommandBase& command)
    { return dynamic_cast<Command*>(&command) != nullptr; };

    auto const parse = [](Json const& arguments, Values& values) -> std::string
    {
        if (!arguments.is_array())
            return "the arguments must be an array";
        if (arguments.size() != kCount)
            return "takes " + std::to_string(kCount) + " argument(s), " + std::to_string(arguments.size()) +
                   " given";
        std::string error;
        std::size_t index = 0;
        std::apply(
            [&](auto&... value)
            {
                auto const one = [&](auto& target)
                {
                    using T = std::decay_t<decltype(target)>;
                    if (error.empty() && !TCommandArgument<T>::FromJson(arguments[index], target))
                        error = "argument " + std::to_string(index + 1) + " must be " +
                                TCommandArgument<T>::kName + ", not " + arguments[index].dump();
                    ++index;
                };
                static_cast<void>(one); // unused for an empty list
                (one(value), ...);
            },
            values);
        return error;
    };
    signature.check = [parse](Json const& arguments)
    {
        Values values;
        return parse(arguments, values);
    };
    signature.execute = [parse](Base::ICommandBase& command, Json const& arguments) -> Json
    {
        Values values;
        if (std::string const error = parse(arguments, values); !error.empty())
            throw std::invalid_argument(error);
        auto& typed = dynamic_cast<Command&>(command);
        std::shared_ptr<Base::IAsyncResult<>> const result =
            std::apply([&typed](auto&... value) { return typed.Execute(value...); }, values);
        if (result)
            result->Wait();
        if constexpr (!kHasOut)
            return nullptr;
        else
        {
            Json after = Json::array();
            std::apply(
                [&after](auto const&... value)
                { (after.push_back(TCommandArgument<std::decay_t<decltype(value)>>::ToJson(value)), ...); },
                values);
            return after;
        }
    };
    if constexpr (!kHasOut)
    {
        signature.decode = [](std::vector<unsigned char> const& bytes) -> Json
        {
            auto const array = std::make_shared<JbArray<unsigned char> const>(bytes.data(), bytes.size());
            Base::CORXStreamReadBinaryLegacy reader(std::make_shared<JbStreamReadBinaryBuffer>(array));
            Values values;
            std::apply([&reader](auto&... value) { static_cast<void>((reader >> ... >> value)); }, values);
            if (std::size_t const leftOver = reader.GetRemaining(); leftOver != 0)
                throw std::invalid_argument(std::to_string(leftOver) + " byte(s) left after the arguments");
            Json decoded = Json::array();
            std::string error;
            std::apply(
                [&](auto const&... value)
                {
                    auto const one = [&](auto const& item)
                    {
                        using T = std::decay_t<decltype(item)>;
                        if (error.empty())
                            error = TCommandArgument<T>::Check(item);
                        decoded.push_back(TCommandArgument<T>::ToJson(item));
                    };
                    static_cast<void>(one);
                    (one(value), ...);
                },
                values);
            if (!error.empty())
                throw std::invalid_argument(error);
            return decoded;
        };
    }
    m_signatures.push_back(std::move(signature));
}
} // namespace Orx2Sim
