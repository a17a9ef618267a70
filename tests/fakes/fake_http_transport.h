#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/http_transport.h"

namespace qm {

// Records every call of its request objects as one line, e.g.
// "SetRequestHeader(Accept|*/*)", and answers Send with a scripted response.
class FakeHttpTransport : public HttpTransport {
 public:
  struct Response {
    std::string body;
    std::string headers;
    int status = 200;
  };

  std::unique_ptr<HttpRequestObject> CreateRequestObject() override {
    if (refuse_creation) return nullptr;
    return std::make_unique<Object>(*this);
  }

  // The calls whose name starts with `name`, as recorded.
  std::vector<std::string> CallsOf(const std::string& name) const {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
      if (call.rfind(name + "(", 0) == 0) found.push_back(call);
    }
    return found;
  }

  bool refuse_creation = false;
  // Send fails as a refused connection does: nothing comes back.
  bool fail_send = false;
  Response response;
  std::vector<std::string> calls;
  std::string sent_body;

 private:
  class Object : public HttpRequestObject {
   public:
    explicit Object(FakeHttpTransport& owner) : owner_(owner) {}
    void SetTimeouts(int a, int b, int c, int d) override {
      Record("SetTimeouts", std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) +
                                "," + std::to_string(d));
    }
    void SetProxy(const std::string& proxy) override { Record("SetProxy", proxy); }
    void Open(const std::string& method, const std::string& url) override {
      Record("Open", method + "|" + url);
    }
    void DisableRedirects() override { Record("DisableRedirects", ""); }
    void SetCredentials(const std::string& user, const std::string& password, int flag) override {
      Record("SetCredentials", user + "|" + password + "|" + std::to_string(flag));
    }
    void SetRequestHeader(const std::string& name, const std::string& value) override {
      Record("SetRequestHeader", name + "|" + value);
    }
    void Send(const std::string& body) override {
      Record("Send", "");
      owner_.sent_body = body;
      sent_ = !owner_.fail_send;
    }
    std::string ResponseBody() const override { return sent_ ? owner_.response.body : ""; }
    std::string AllResponseHeaders() const override { return sent_ ? owner_.response.headers : ""; }
    int Status() const override { return sent_ ? owner_.response.status : 0; }

   private:
    void Record(const std::string& name, const std::string& arguments) {
      owner_.calls.push_back(name + "(" + arguments + ")");
    }
    FakeHttpTransport& owner_;
    bool sent_ = false;
  };
};

}  // namespace qm
