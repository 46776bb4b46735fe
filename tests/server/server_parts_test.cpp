// The server's small parts that take outside text: the command line, the client's
// address behind a proxy, course fingerprints, names, numbers and a worker's answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_text.h"
#include "http_front.h"
#include "server_options.h"
#include "verify_pool.h"

namespace {

bool parse(std::vector<std::string> args, ServerOptions* options, std::string* why) {
    args.insert(args.begin(), "tumblegrade-server");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return parseServerOptions(int(argv.size()), argv.data(), options, why);
}

TEST(ServerParts, CommandLine) {
    ServerOptions o;
    std::string why;
    ASSERT_TRUE(parse({}, &o, &why));
    EXPECT_EQ(o.host, "127.0.0.1");
    EXPECT_EQ(o.port, 8470);
    ASSERT_TRUE(parse({"--listen", "[::1]:9000", "--trust-proxy", "10.0.0.1", "--trust-proxy", "10.0.0.2", "--rate",
                       "0", "--database", "sqlite:/x"},
                      &o, &why));
    EXPECT_EQ(o.host, "::1");
    EXPECT_EQ(o.port, 9000);
    EXPECT_EQ(o.trustedProxies.size(), 2u);
    EXPECT_EQ(o.addressRate, 0);
    EXPECT_EQ(o.database, "sqlite:/x");
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"--listen", "8470"}, {"--listen", "host:99999"}, {"--workers", "0"}, {"--rate", "-1"}, {"--data"}, {"--bogus"}}) {
        ServerOptions fresh;
        EXPECT_FALSE(parse(wrong, &fresh, &why)) << wrong[0];
        EXPECT_FALSE(why.empty());
    }
}

TEST(ServerParts, ClientAddressComesFromTrustedProxiesOnly) {
    const std::vector<std::string> proxies = {"10.0.0.1"};
    EXPECT_EQ(clientAddress("10.0.0.1", "203.0.113.5", proxies), "203.0.113.5");
    EXPECT_EQ(clientAddress("10.0.0.1", "1.2.3.4, 203.0.113.5 ", proxies), "203.0.113.5");  // the proxy's own
    EXPECT_EQ(clientAddress("10.0.0.1", "", proxies), "10.0.0.1");
    EXPECT_EQ(clientAddress("198.51.100.7", "203.0.113.5", proxies), "198.51.100.7");  // anyone can write it
    EXPECT_EQ(clientAddress("10.0.0.1", " , ", proxies), "10.0.0.1");
}

TEST(ServerParts, Text) {
    uint64_t hash = 0;
    EXPECT_TRUE(parseCourseHash("ae1a4ef22e757738", &hash));
    EXPECT_EQ(courseHashText(hash), "ae1a4ef22e757738");
    for (const char* wrong : {"AE1A4EF22E757738", "ae1a4ef22e75773", "ae1a4ef22e7577380", "ae1a4ef22e75773g", ""})
        EXPECT_FALSE(parseCourseHash(wrong, &hash)) << wrong;
    EXPECT_EQ(utf8FromLatin1("J\xfcrgen \xc6"), "J\xc3\xbcrgen \xc3\x86");
    EXPECT_EQ(isoDate(86400 + 3661), "1970-01-02T01:01:01Z");
    EXPECT_EQ(runTimeText(3165), "0:52.75");
    long value = 0;
    EXPECT_TRUE(parseBoundedInt("100", 1, 100, &value));
    EXPECT_EQ(value, 100);
    for (const char* wrong : {"101", "0", "", "1e2", "-5", "12345678901234"})
        EXPECT_FALSE(parseBoundedInt(wrong, 1, 100, &value)) << wrong;
}

TEST(ServerParts, WorkerAnswers) {
    const std::string digest(64, 'a');
    const RideVerdict kept = rideVerdictOf("finish 3165 " + digest + " 50494c4f54");
    EXPECT_EQ(kept.finished, 1);
    EXPECT_EQ(kept.iterations, 3165);
    EXPECT_EQ(kept.digest, digest);
    EXPECT_EQ(kept.rider, "PILOT");
    const RideVerdict refused = rideVerdictOf("refused the run is not a finish");
    EXPECT_EQ(refused.finished, 0);
    EXPECT_EQ(refused.reason, "the run is not a finish");
    for (const std::string& garbage : {std::string(""), std::string("finish"), "finish 12 " + digest.substr(1), std::string("other")})
        EXPECT_EQ(rideVerdictOf(garbage).finished, 0) << garbage;
}

}  // namespace
