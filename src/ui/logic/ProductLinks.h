// The project's addresses behind the version dialog's two link buttons. A distributor
// who publishes Tappling under its own page and mailbox changes them here, and only here.
#pragma once

namespace tappling {

inline constexpr char kProductWebPage[] = "https://tappling.example.org/";
inline constexpr char kSupportMailAddress[] = "support@tappling.example.org";
// Between the parentheses of the support mail's subject (UTF-8).
inline constexpr char kMailSubjectNote[] = "ご利用について";

}  // namespace tappling
