#pragma once

#include "msg/MsgCenter.h"

#include <string>
#include <utility>
#include <vector>

// Keeps a copy of every message of type M sent while it lives, and notes the
// message's name in a journal shared with other receivers.
template <class M>
class Received {
public:
    Received(std::vector<std::string>& journal, std::string name) : journal_(journal), name_(std::move(name))
    {
        MsgCenter::Instance().Register(this, &Received::On);
    }
    ~Received() { MsgCenter::Instance().Unregister(this, &Received::On); }
    Received(const Received&) = delete;
    Received& operator=(const Received&) = delete;

    std::vector<M> records;

private:
    void On(const M* message)
    {
        journal_.push_back(name_);
        records.push_back(*message);
    }

    std::vector<std::string>& journal_;
    std::string name_;
};
