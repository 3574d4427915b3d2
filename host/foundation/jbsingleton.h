#pragma once
// Access to the process-wide instance of a type.
//
// Every shared library of this project hides its symbols by default. A function-local static inside
// a header template would therefore be instantiated once per shared object that uses it, and each
// library would see its own "singleton". To get one instance per process, the primary template's
// GetInstance() is only declared here; each singleton type instead
//  - declares an explicit specialization, marked with its library's export macro, in its own header:
//        template <> ORX2_HOST_EXPORT Base::CFoo& JbSingleton<Base::CFoo>::GetInstance();
//  - and defines it in its .cpp, with the instance as a function-local static (thread-safe first use).
// Using JbSingleton<T> for a type without such a specialization fails at link time, not silently.

/// The process-wide instance of T. Not instantiable.
template <class T> class JbSingleton
{
public:
    JbSingleton() = delete;

    /// The one instance of T, created on first use (thread-safe). See the file comment for how a type
    /// provides it; the lifetime of the instance is documented by that type.
    static T& GetInstance();
};
