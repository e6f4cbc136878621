#pragma once
// The skin-change broadcaster and its receivers. The skin window hands a background choice to the
// one process-wide broadcaster (SkinChangeBroadcaster); every receiver registered there applies it
// (the main window is the only one). Receivers are told in the order they registered. A receiver
// leaves the broadcaster when it is destroyed, so the broadcaster never calls a dead one; a
// broadcaster outlives its receivers (the process-wide one is never freed). UI thread only.

#include "ui/framework/AttributeValues.h"

#include <QString>

#include <map>

namespace orvane::app {

// One background choice.
struct SkinChangedParam {
    bool colour = false;          // true: a plain colour; false: a picture
    ui::ArgbColor backgroundColour = 0;
    QString image;                // the picture: relative to the skin folder, or a full path
};

template <class ReturnT, class ParamT>
class ReceiverImplBase;

template <class ReturnT, class ParamT>
class ObserverImplBase {
public:
    using Receiver = ReceiverImplBase<ReturnT, ParamT>;
    virtual ~ObserverImplBase() = default;
    virtual void AddReceiver(Receiver* receiver) = 0;
    virtual void RemoveReceiver(Receiver* receiver) = 0;
    virtual ReturnT Broadcast(ParamT param) = 0;
    // Like Broadcast, but each receiver's Respond is called, with this broadcaster.
    virtual ReturnT Notify(ParamT param) = 0;
};

template <class ReturnT, class ParamT>
class ReceiverImplBase {
public:
    using Observer = ObserverImplBase<ReturnT, ParamT>;
    virtual ~ReceiverImplBase() = default;
    virtual int AddObserver(Observer* observer) = 0;
    virtual void RemoveObserver() = 0;
    virtual ReturnT Receive(ParamT param) = 0;
    virtual ReturnT Respond(ParamT param, Observer* observer) = 0;
};

template <class ReturnT, class ParamT>
class ObserverImpl : public ObserverImplBase<ReturnT, ParamT> {
public:
    using Receiver = ReceiverImplBase<ReturnT, ParamT>;

    // Stored under the running count, which then grows; the receiver learns its broadcaster.
    void AddReceiver(Receiver* receiver) override {
        if (receiver == nullptr) return;
        receivers_[count_] = receiver;
        receiver->AddObserver(this);
        ++count_;
    }

    // The first registration of `receiver` goes.
    void RemoveReceiver(Receiver* receiver) override {
        for (auto it = receivers_.begin(); it != receivers_.end(); ++it) {
            if (it->second == receiver) {
                receivers_.erase(it);
                return;
            }
        }
    }

    ReturnT Broadcast(ParamT param) override {
        ForEachReceiver([&param](Receiver& r) { r.Receive(param); });
        return ReturnT();
    }

    ReturnT Notify(ParamT param) override {
        ForEachReceiver([this, &param](Receiver& r) { r.Respond(param, this); });
        return ReturnT();
    }

private:
    // A receiver may leave (or go) while another is told: each is looked up again before its turn.
    template <class Act>
    void ForEachReceiver(Act act) {
        const auto registered = receivers_;
        for (const auto& [key, receiver] : registered) {
            const auto still = receivers_.find(key);
            if (still != receivers_.end() && still->second == receiver) act(*receiver);
        }
    }

    unsigned count_ = 0;
    std::map<unsigned, Receiver*> receivers_;
};

template <class ReturnT, class ParamT>
class ReceiverImpl : public ReceiverImplBase<ReturnT, ParamT> {
public:
    using Observer = ObserverImplBase<ReturnT, ParamT>;

    ReceiverImpl() = default;
    ReceiverImpl(const ReceiverImpl&) = delete;
    ReceiverImpl& operator=(const ReceiverImpl&) = delete;
    ~ReceiverImpl() override { RemoveObserver(); }

    // The running count after the observer was stored.
    int AddObserver(Observer* observer) override {
        observers_[count_] = observer;
        return static_cast<int>(++count_);
    }

    // Every broadcaster this receiver was added to forgets it.
    void RemoveObserver() override {
        const auto observers = std::move(observers_);
        observers_.clear();
        for (const auto& [key, observer] : observers) observer->RemoveReceiver(this);
    }

    ReturnT Receive(ParamT param) override {
        (void)param;
        return ReturnT();
    }

    ReturnT Respond(ParamT param, Observer* observer) override {
        (void)param;
        (void)observer;
        return ReturnT();
    }

private:
    unsigned count_ = 0;
    std::map<unsigned, Observer*> observers_;
};

using SkinChangeObserver = ObserverImpl<int, SkinChangedParam>;
using SkinChangeReceiver = ReceiverImpl<int, SkinChangedParam>;

// The process-wide broadcaster, created on first use and kept for the life of the process.
SkinChangeObserver& SkinChangeBroadcaster();

}  // namespace orvane::app
