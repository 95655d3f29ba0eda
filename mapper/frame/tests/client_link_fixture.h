#pragma once
// A client link and its mapping session around a fresh map, with a recording
// stand-in for the frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "mapper/frame/client_link.h"
#include "mapper/frame/client_protocol.h"

struct CFakeFrame : IClientChannel, IFollowNamePrompt, IMessageBoxes, IFrameWindow {
    struct Sent {
        std::uintptr_t code;
        std::string bytes;
    };
    std::intptr_t SendCopyData(std::uintptr_t code, const void* data, std::uint32_t bytes) override
    {
        sent.push_back({code, std::string(static_cast<const char*>(data), bytes)});
        return 1;
    }
    bool AskFollowName(std::string& name) override
    {
        shownName = name;
        ++prompts;
        name = answer;
        return answerOk;
    }
    void ShowInformation(const std::string& text, const std::string& caption) override
    {
        boxes.push_back(caption + "|" + text);
    }
    void DockIntoClient() override { ++docks; }
    void DestroyFrame() override { ++destroys; }

    CClientLinkHost Host() { return {this, this}; }
    CMappingHost MappingHost() { return {this, this}; }

    std::vector<Sent> sent;
    std::vector<std::string> boxes;
    std::string answer, shownName;
    bool answerOk = true;
    int prompts = 0, docks = 0, destroys = 0;
};

class ClientLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.OnNewDocument();
        dir = std::filesystem::temp_directory_path() /
              ("vm_link_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        link.m_hClient = 1;
        Message(CD_SETTINGS_DIR, dir.string() + "/");
        Message(CD_ATTACH);
        Message(CD_ONLINE);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A message as a client sends it: text and its NUL.
    std::intptr_t Message(std::uintptr_t code, const std::string& text = std::string())
    {
        std::string block = text;
        block.push_back('\0');
        std::intptr_t reply = -7;
        const bool handled = link.OnCopyData(code, block.data(), static_cast<std::uint32_t>(block.size()), reply);
        return handled ? reply : 0;
    }
    std::intptr_t Command(const std::string& text) { return Message(CD_COMMAND, text); }
    std::intptr_t Line(const std::string& text) { return Message(CD_TEXT_LINE, text); }
    CRoom Current() { return doc.GetRoom(doc.m_nCurrentRoom); }

    CVorMapperDoc doc;
    CFakeFrame frame;
    CMappingSession session{doc, frame.MappingHost()};
    CGameSettings& game = session.m_settings;
    CClientLink link{doc, session, frame.Host()};
    std::filesystem::path dir;
};
