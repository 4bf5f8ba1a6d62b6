// The page's kept rounds, in the browser's own storage (IndexedDB): a record a round
// (its number, dates, hits, length) and its script in pieces, each piece one
// transaction that also brings the round's record up to date, so the two never
// disagree. The last 100 rounds and the 10 best by hits are kept; a round's number
// stays its own. The page's switch (localStorage 'krax-keep') keeps none. The C++
// side (page_keeper.hpp) declares these in browser.hpp.
mergeInto(LibraryManager.library, {
  $kraxKeep__postset: 'Module.kraxKeep = kraxKeep;',
  $kraxKeep: {
    newest: 100,
    best: 10,
    database: null,  // a promise of it, once asked for; of null where there is none
    next: 1,         // the number the next round takes
    round: null,     // the record of the round under way, or null while it is not kept
    said: false,
    calls: 0,        // transactions, as the page's figures count storage calls
    ms: 0,           // the page's own time spent keeping
    wanted: function() {
      try {
        return localStorage.getItem('krax-keep') !== 'off';
      } catch (e) {
        return true;
      }
    },
    // Said once; the game plays on without the rounds that cannot be kept.
    lose: function(why) {
      if (kraxKeep.said) return;
      kraxKeep.said = true;
      console.error('krax: this browser keeps no rounds: ' + why);
    },
    open: function() {
      if (kraxKeep.database) return kraxKeep.database;
      if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(function() {});
      kraxKeep.database = new Promise(function(resolve) {
        if (!window.indexedDB) return resolve(null);
        var request = indexedDB.open('krax', 1);
        request.onupgradeneeded = function() {
          request.result.createObjectStore('rounds', { keyPath: 'id', autoIncrement: true });
          request.result.createObjectStore('pieces', { keyPath: ['round', 'index'] });
        };
        request.onsuccess = function() { kraxKeep.numberFrom(request.result, resolve); };
        request.onerror = request.onblocked = function() { resolve(null); };
      }).then(function(database) {
        if (!database) kraxKeep.lose('it has no storage for this page');
        return database;
      });
      return kraxKeep.database;
    },
    // The next round's number follows the newest kept: a round knows its number before
    // its first piece is written, so that the piece asks nothing of the storage first.
    numberFrom: function(database, resolve) {
      var newest = database.transaction('rounds').objectStore('rounds').openCursor(null, 'prev');
      newest.onsuccess = function() {
        if (newest.result) kraxKeep.next = newest.result.key + 1;
        resolve(database);
      };
      newest.onerror = function() { resolve(database); };
    },
    // work(rounds, pieces) in one transaction, once those asked for before it are done.
    // `atOnce`: work asks for all it writes at once, and the transaction is committed
    // there and then. A page left mid-round (WebKit freezes it in its back-forward
    // cache) must not hold the storage with a transaction that waits on itself.
    chain: null,
    transact: function(work, atOnce, failed) {
      ++kraxKeep.calls;
      kraxKeep.chain = (kraxKeep.chain || kraxKeep.open()).then(kraxKeep.open).then(function(database) {
        if (!database) return;
        return new Promise(function(resolve) {
          var began = performance.now();
          var transaction = database.transaction(['rounds', 'pieces'], 'readwrite');
          work(transaction.objectStore('rounds'), transaction.objectStore('pieces'));
          if (atOnce && transaction.commit) transaction.commit();
          transaction.oncomplete = resolve;
          transaction.onerror = transaction.onabort = function(event) {
            if (event) event.preventDefault();
            kraxKeep.lose(transaction.error ? transaction.error.message : 'the storage refused a round');
            if (failed) failed();
            resolve();
          };
          kraxKeep.ms += performance.now() - began;
        });
      }).catch(function(error) { kraxKeep.lose(error.message); });
      return kraxKeep.chain;
    },
    pieceOf: function(id) { return IDBKeyRange.bound([id, 0], [id, Infinity]); },
    // The rounds beyond the newest and the best go, their pieces with them.
    tidy: function(rounds, pieces) {
      rounds.getAll().onsuccess = function(event) {
        var all = event.target.result;
        var kept = new Set(all.slice(-kraxKeep.newest).map(function(r) { return r.id; }));
        all.slice().sort(function(a, b) { return b.hits - a.hits || a.id - b.id; }).slice(0, kraxKeep.best)
          .forEach(function(r) { kept.add(r.id); });
        all.forEach(function(r) {
          if (kept.has(r.id)) return;
          rounds.delete(r.id);
          pieces.delete(kraxKeep.pieceOf(r.id));
        });
      };
    },
    // Every kept round's record, oldest first.
    list: function() {
      return kraxKeep.open().then(function(database) {
        if (!database) return [];
        return new Promise(function(resolve) {
          database.transaction('rounds').objectStore('rounds').getAll().onsuccess = function(event) {
            resolve(event.target.result);
          };
        });
      });
    },
    // The script of a kept round, its pieces joined.
    script: function(id) {
      return kraxKeep.open().then(function(database) {
        return new Promise(function(resolve) {
          database.transaction('pieces').objectStore('pieces').getAll(kraxKeep.pieceOf(id)).onsuccess = function(event) {
            resolve(event.target.result.map(function(piece) { return piece.text; }).join(''));
          };
        });
      });
    },
    // One piece of the round's script, in one transaction with the round's record:
    // the first numbers the round and adds its record, the others put it.
    piece: function(round, text, hits, lengthMs, ended) {
      if (round.lost) return;
      var began = performance.now();
      round.hits = hits;
      round.length = lengthMs;
      round.ended = ended;
      round.updated = Date.now();
      var piece = { index: round.pieces++, text: text };
      var record = Object.assign({}, round);
      kraxKeep.transact(function(rounds, pieces) {
        var first = round.id === undefined;
        if (first) round.id = kraxKeep.next++;
        record.id = piece.round = round.id;
        // Added, not put: another tab's round of the same number is not overwritten.
        if (first) rounds.add(record);
        else rounds.put(record);
        pieces.put(piece);
      }, true, function() {
        // A round whose start was not kept keeps nothing more: its number may be another's.
        if (piece.index === 0) round.lost = true;
      });
      if (ended) kraxKeep.transact(kraxKeep.tidy, false);
      kraxKeep.ms += performance.now() - began;
    },
    // Every kept round goes, and what is left of the round under way is not kept.
    forget: function() {
      kraxKeep.round = null;
      return kraxKeep.transact(function(rounds, pieces) {
        rounds.clear();
        pieces.clear();
      }, true);
    },
  },

  kraxKeepBegin__deps: ['$kraxKeep'],
  kraxKeepBegin: function() {
    kraxKeep.round = kraxKeep.wanted() ? { began: Date.now(), hits: 0, length: 0, ended: false, pieces: 0 } : null;
  },

  kraxKeepPiece__deps: ['$kraxKeep'],
  kraxKeepPiece: function(lines, hits, lengthMs, ended) {
    var round = kraxKeep.round;
    if (!round || !kraxKeep.wanted()) return;
    try {
      kraxKeep.piece(round, UTF8ToString(lines), hits, lengthMs, ended);
    } catch (e) {
      kraxKeep.lose(e.message);  // the game plays on
    }
  },

  kraxShareable: function(shareable) {
    document.getElementById('share').disabled = !shareable;
  },
});
