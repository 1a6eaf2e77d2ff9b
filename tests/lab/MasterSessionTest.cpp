#include "MasterSession.h"
#include "Validate.h"

#include <gtest/gtest.h>

namespace utlab {
namespace {

constexpr std::string_view kList = "\\ip\\127.0.0.1:7778\\ip\\127.0.0.1:7788\\final\\";
constexpr std::string_view kListRequest = "\\list\\\\gamename\\ut\\final\\";
constexpr std::string_view kOldRequest = "\\list\\\\gamename\\ut\\final";

std::string validation(std::string_view challenge) {
    return "\\gamename\\ut\\location\\0\\validate\\" + validateResponse(challenge, kUtGameKey) +
           "\\final\\";
}

MasterSession secureSession() {
    return MasterSession(Greeting::Secure, "WVNJYU", std::string(kList));
}

TEST(MasterSession, GreetingsCarryTheChallenge) {
    EXPECT_EQ(MasterSession(Greeting::Secure, "ABCDEF", "").greetingText(),
              "\\basic\\\\secure\\ABCDEF");
    EXPECT_EQ(MasterSession(Greeting::SecureFinal, "ABCDEF", "").greetingText(),
              "\\basic\\\\secure\\ABCDEF\\final\\");
    EXPECT_EQ(MasterSession(Greeting::None, "ABCDEF", "").greetingText(), "");
}

TEST(MasterSession, RightAnswerThenRequestGetsTheList) {
    MasterSession session = secureSession();
    const MasterSession::Answer afterValidate = session.receive(validation("WVNJYU"));
    EXPECT_EQ(afterValidate.reply, "");
    EXPECT_FALSE(afterValidate.close);
    EXPECT_TRUE(session.validated());
    const MasterSession::Answer afterList = session.receive(kListRequest);
    EXPECT_EQ(afterList.reply, kList);
    EXPECT_FALSE(afterList.close);
    // Anything after the list is ignored.
    EXPECT_EQ(session.receive(kListRequest).reply, "");
}

// However the client's bytes are cut, the answer is the same.
TEST(MasterSession, RequestsInOnePieceOrByteByByte) {
    const std::string both = validation("WVNJYU") + std::string(kListRequest);
    MasterSession whole = secureSession();
    EXPECT_EQ(whole.receive(both).reply, kList);

    MasterSession bytewise = secureSession();
    std::string reply;
    for (const char byte : both) {
        const MasterSession::Answer answer = bytewise.receive(std::string_view(&byte, 1));
        ASSERT_FALSE(answer.close);
        reply += answer.reply;
    }
    EXPECT_EQ(reply, kList);
}

TEST(MasterSession, WrongOrMissingAnswerEndsTheConnection) {
    const std::string right = validateResponse("WVNJYU", kUtGameKey);
    for (const std::string& sent :
         {std::string("\\gamename\\ut\\location\\0\\validate\\AAAAAAAA\\final\\"),
          // the answer to another challenge
          validation("ABCDEF"),
          // the right answer for another game
          "\\gamename\\unreal\\location\\0\\validate\\" + right + "\\final\\",
          std::string("\\gamename\\ut\\location\\0\\final\\"),
          // the list asked for without answering, new and old style
          std::string(kListRequest), std::string(kOldRequest),
          // endless babble
          std::string(5000, 'x')}) {
        MasterSession session = secureSession();
        const MasterSession::Answer answer = session.receive(sent);
        EXPECT_TRUE(answer.close) << sent;
        EXPECT_EQ(answer.reply, "") << sent;
        EXPECT_EQ(session.receive(validation("WVNJYU") + std::string(kListRequest)).reply, "")
            << sent;
    }
}

// Without the check any answer will do, as quakestat sends it: another game, a fixed validate.
TEST(MasterSession, UncheckedMasterTakesAnyAnswer) {
    MasterSession session(Greeting::Secure, "WVNJYU", std::string(kList), false);
    EXPECT_EQ(session
                  .receive("\\gamename\\gamespy2\\gamever\\020109017\\location\\5\\validate\\"
                           "12345678\\final\\\\list\\\\gamename\\ut\\final\\")
                  .reply,
              kList);
    // It still wants an answer before the list.
    MasterSession unanswered(Greeting::Secure, "WVNJYU", std::string(kList), false);
    EXPECT_TRUE(unanswered.receive(kListRequest).close);
}

TEST(MasterSession, WithoutGreetingTheOldRequestIsAnsweredAtOnce) {
    for (const std::string_view request : {kOldRequest, kListRequest}) {
        MasterSession session(Greeting::None, "ABCDEF", std::string(kList));
        EXPECT_TRUE(session.validated());
        const MasterSession::Answer answer = session.receive(request);
        EXPECT_EQ(answer.reply, kList) << request;
        EXPECT_FALSE(answer.close);
    }
    MasterSession partial(Greeting::None, "ABCDEF", std::string(kList));
    EXPECT_EQ(partial.receive(kOldRequest.substr(0, 20)).reply, "");
    EXPECT_EQ(partial.receive(kOldRequest.substr(20)).reply, kList);
}

TEST(MasterSession, OtherGamesGetAnEmptyList) {
    MasterSession session(Greeting::None, "ABCDEF", std::string(kList));
    EXPECT_EQ(session.receive("\\list\\\\gamename\\unreal\\final\\").reply, "\\final\\");
}

TEST(MasterSession, ChallengesAreSixCapitalsAndFollowTheSeed) {
    Random first(7);
    Random again(7);
    std::set<std::string> seen;
    for (int i = 0; i < 20; ++i) {
        const std::string challenge = makeChallenge(first);
        ASSERT_EQ(challenge.size(), 6u);
        EXPECT_TRUE(std::ranges::all_of(challenge, [](char c) { return c >= 'A' && c <= 'Z'; }))
            << challenge;
        EXPECT_EQ(makeChallenge(again), challenge);
        seen.insert(challenge);
    }
    EXPECT_GT(seen.size(), 15u);
}

} // namespace
} // namespace utlab
