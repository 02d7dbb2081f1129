#include "reports/qt/PageScript.h"

#include <QFile>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

// The channel objects are "qorHost" (CBrowserBridge) and "qorExternal"
// (CImpIDispatch). Messages sent before the channel is up wait in a queue.
const char kScript[] = R"JS(
(function () {
  if (window.__qorHosted) return;
  window.__qorHosted = true;
  var host = null, externalObject = null, pending = [];
  function call(name, args) {
    if (host) host[name].apply(host, args); else pending.push([name, args]);
  }
  function connect() {
    if (typeof qt === 'undefined' || !qt.webChannelTransport || typeof QWebChannel === 'undefined') {
      setTimeout(connect, 5);
      return;
    }
    new QWebChannel(qt.webChannelTransport, function (channel) {
      host = channel.objects.qorHost;
      externalObject = channel.objects.qorExternal || null;
      var queued = pending; pending = [];
      queued.forEach(function (p) { host[p[0]].apply(host, p[1]); });
    });
  }
  connect();

  // The forms the program reads itself: "http:" + backslashes, "http://"
  // with a pseudo-address (word, number, "end", or "next"), and the two
  // private schemes.
  function isPrivate(href) {
    if (typeof href !== 'string') return false;
    return /^http:\\/i.test(href) || /^http:\/\/[a-z%0-9]*(end|next)\/?$/i.test(href) ||
           /^qor(link|attr):/i.test(href);
  }
  function linkOf(node) {
    for (; node && node.nodeType === 1; node = node.parentNode) {
      var tag = node.tagName;
      if ((tag === 'A' || tag === 'AREA') && node.hasAttribute('href')) return node;
    }
    return null;
  }
  var lastShift = false;
  document.addEventListener('click', function (e) {
    lastShift = e.shiftKey;
    var link = linkOf(e.target);
    if (!link) return;
    var href = link.getAttribute('href');
    if (!isPrivate(href)) return;
    e.preventDefault();
    call('link', [href, e.shiftKey]);
  }, true);

  // Image maps call window.navigate(id) with the region's "qorattr:" id.
  window.navigate = function (address) {
    address = String(address);
    var shift = window.event ? !!window.event.shiftKey : lastShift;
    if (isPrivate(address)) call('link', [address, shift]);
    else window.location.href = address;
  };

  var statusText = '';
  Object.defineProperty(window, 'status', {
    configurable: true,
    get: function () { return statusText; },
    set: function (v) { statusText = String(v); call('status', [statusText]); }
  });

  var style = CSSStyleDeclaration.prototype;
  [['pixelTop', 'top'], ['pixelLeft', 'left'], ['pixelWidth', 'width'], ['pixelHeight', 'height']]
    .forEach(function (p) {
      if (p[0] in style) return;
      Object.defineProperty(style, p[0], {
        configurable: true,
        get: function () { return parseInt(this[p[1]], 10) || 0; },
        set: function (v) { this[p[1]] = Math.round(Number(v) || 0) + 'px'; }
      });
    });

  // The old alpha filter object: opacity in percent.
  if (!('filters' in HTMLElement.prototype)) {
    Object.defineProperty(HTMLElement.prototype, 'filters', {
      configurable: true,
      get: function () {
        var element = this;
        var alpha = {
          get opacity() { return Math.round((parseFloat(getComputedStyle(element).opacity) || 0) * 100); },
          set opacity(v) { element.style.opacity = String((Number(v) || 0) / 100); }
        };
        return { alpha: alpha, 'DXImageTransform.Microsoft.Alpha': alpha, item: function () { return alpha; } };
      }
    });
  }

  // window.external: property names beginning "xx" read the host's value.
  var external = new Proxy({}, {
    get: function (target, name) {
      if (typeof name !== 'string' || name.substring(0, 2) !== 'xx' || !externalObject) return undefined;
      return externalObject.xxyyzz;
    }
  });
  try {
    Object.defineProperty(window, 'external', { configurable: true, get: function () { return external; } });
  } catch (e) {}
})();
)JS";

QString WebChannelLibrary() {
  QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

void AddScript(QWebEnginePage& page, const QString& name, const QString& source) {
  QWebEngineScript script;
  script.setName(name);
  script.setSourceCode(source);
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::MainWorld);
  script.setRunsOnSubFrames(true);
  page.scripts().insert(script);
}

}  // namespace

QString QorPageScript() { return QString::fromUtf8(kScript); }

void InstallQorPageScripts(QWebEnginePage& page) {
  if (!page.scripts().find(QStringLiteral("qor-page")).isEmpty()) return;
  AddScript(page, QStringLiteral("qor-webchannel"), WebChannelLibrary());
  AddScript(page, QStringLiteral("qor-page"), QorPageScript());
}
