// Velotune's own addresses and notices. The form descriptions carry the same
// texts (link images keep their address in HelpKeyword); the window's code
// uses these where it sets them itself.
#pragma once

namespace velotune {

constexpr const char kMakerNotice[] = "\xA9 2014 Orvana Corporation";  // cp1252 "(c)"
constexpr const char kMakerWebAddress[] = "https://velotune.example/";
constexpr const char kMakerForumAddress[] = "https://velotune.example/forum/";
constexpr const char kDonationAddress[] = "https://velotune.example/donate";
constexpr const char kFollowAddress[] = "https://velotune.example/social/follow";
constexpr const char kShareAddress[] = "https://velotune.example/social/share";
constexpr const char kPostAddress[] = "https://velotune.example/social/post";
constexpr const char kBitcoinAddress[] = "velotune-example-bitcoin-address";

// The Bitcoin input box: its caption and the two prompts, which differ in capitals.
constexpr const char kBitcoinBoxCaption[] = "Support Us";
constexpr const char kDonateBitcoinPrompt[] =
    "If you want to Support Our Software Development, you can Send a Donation to Our BitCoin "
    "Address\r\rThanks!";
constexpr const char kBitcoinPrompt[] =
    "If you want to support our Software Development, you can send a Donation to Our BitCoin "
    "Address\r\rThanks!";

}  // namespace velotune
