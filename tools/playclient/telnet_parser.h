#pragma once
// The telnet layer of a byte stream: tells the data bytes from telnet
// commands. IAC IAC is a data byte 255; option negotiation (IAC WILL, WONT,
// DO or DONT and its option byte) is reported, subnegotiation (IAC SB up to
// IAC SE) and every other command is swallowed, except GA and EOR, which
// mark the end of a prompt. The state carries over between reads.
class CTelnetParser {
public:
    enum : unsigned char {
        SE = 240, NOP = 241, GA = 249, SB = 250, WILL = 251, WONT = 252, DO = 253, DONT = 254, IAC = 255, EOR = 239
    };
    // What a byte completed.
    enum class EToken {
        None,       // part of a command, or a command that means nothing here
        Data,       // the byte is a data byte
        Option,     // the byte is the option of a negotiation; its command is `Command()`
        PromptEnd,  // GA or EOR
    };

    EToken Take(unsigned char c);
    // WILL, WONT, DO or DONT: the command of the last option reported.
    unsigned char Command() const { return m_command; }
    // True while a telnet command is open.
    bool InCommand() const { return m_state != EState::Data; }

private:
    enum class EState { Data, Iac, Option, Sub, SubIac };

    EState m_state = EState::Data;
    unsigned char m_command = 0;
};
